#pragma once

#include <string>
#include <string_view>

#include "platform/text_encoding.h"

// Code page 936 text for the wide Windows APIs, and back.
inline std::wstring WideFromCp936(std::string_view text) {
  const std::u16string wide = Utf16FromCp936(text);
  return std::wstring(wide.begin(), wide.end());
}

inline std::string Cp936FromWide(std::wstring_view text) {
  return Cp936FromUtf16(std::u16string(text.begin(), text.end()));
}
