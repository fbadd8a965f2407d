#include "platform/win32/text_encoding.h"

#include <windows.h>

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
