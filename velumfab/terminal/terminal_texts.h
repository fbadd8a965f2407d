#pragma once

#include <string>

namespace VelumFab {

// What the terminal shows of its own.

// Instead of a window that does not fit the terminal; keys do nothing then.
inline std::u32string TooSmallNotice(int width, int height, int columns, int rows) {
  auto number = [](int value) {
    const std::string digits = std::to_string(value);
    return std::u32string(digits.begin(), digits.end());
  };
  return U"终端窗口太小：对话框需要 " + number(width) + U"×" + number(height) + U"，现在只有 " + number(columns) +
         U"×" + number(rows) + U"。请放大终端窗口；按 Ctrl-C 退出。";
}

// While the program is at work on what the player did.
inline constexpr char32_t kBusyLine[] = U"正在提交，请稍候…";

// Marks the end of a text that goes on beyond its place.
inline constexpr char32_t kCutMark = U'…';

}  // namespace VelumFab
