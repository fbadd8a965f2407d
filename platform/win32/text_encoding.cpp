#include "platform/win32/text_encoding.h"

#include <windows.h>

#include <cstring>

#include "platform/text_encoding.h"

namespace {
constexpr UINT kCodePage936 = 936;
}

std::wstring WideFromCp936(const std::string& text) {
  if (text.empty()) return {};
  int length = MultiByteToWideChar(kCodePage936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(kCodePage936, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string Cp936FromUtf16Unit(std::uint16_t unit) {
  const wchar_t wide = static_cast<wchar_t>(unit);
  char bytes[4] = {};
  WideCharToMultiByte(kCodePage936, 0, &wide, 1, bytes, sizeof bytes, nullptr, nullptr);
  return std::string(bytes, strnlen(bytes, sizeof bytes));
}
