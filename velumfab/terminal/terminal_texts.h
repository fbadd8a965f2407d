#pragma once

#include <cstddef>
#include <string>

namespace VelumFab {

// What the terminal shows of its own, in UTF-8 (the terminal's encoding).

// The lines shown instead of a window that does not fit the terminal.
constexpr std::size_t kTooSmallLines = 2;
inline std::string TooSmallLine(std::size_t line, int width, int height, int columns, int rows) {
  if (line == 0) {
    return "终端窗口太小：对话框需要 " + std::to_string(width) + "×" + std::to_string(height) + "，现在只有 " +
           std::to_string(columns) + "×" + std::to_string(rows) + "。";
  }
  return "请放大终端窗口。";
}

}  // namespace VelumFab
