#include "platform/temp_directory.h"

#include <windows.h>

namespace {

// `wide` in the ANSI code page, or "" when a character has no form there.
std::string AnsiOrNothing(const wchar_t* wide) {
  BOOL lossy = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, &lossy);
  if (length <= 1 || lossy) return {};
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow.data(), length, nullptr, nullptr);
  narrow.resize(static_cast<std::size_t>(length) - 1);
  return narrow;
}

}  // namespace

// The folder in the ANSI code page, which the program's file calls use: as
// it is when that code page can write it, else by its short name (the user
// folder of 张三 on a Western Windows), so that the same folder is reached
// on every run.
std::string TempDirectory() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, path);
  if (length == 0 || length > MAX_PATH) return ".\\";
  std::string narrow = AnsiOrNothing(path);
  if (!narrow.empty()) return narrow;
  wchar_t short_path[MAX_PATH + 1] = {};
  const DWORD short_length = GetShortPathNameW(path, short_path, MAX_PATH + 1);
  if (short_length > 0 && short_length <= MAX_PATH) narrow = AnsiOrNothing(short_path);
  return narrow.empty() ? ".\\" : narrow;
}
