#pragma once

#include <string>
#include <string_view>

// Unicode text as the UI library keeps it for display: UTF-32, converted
// from and to UTF-8 (terminals, layout and script files) and code page 936
// (the program's text) without a round trip through the system per call.

// Bytes that start no valid UTF-8 character become U+FFFD each.
std::u32string Utf32FromUtf8(std::string_view utf8);
std::string Utf8FromUtf32(std::u32string_view text);

// A code page 936 byte that starts no valid character becomes U+FFFD; a
// character that code page 936 lacks becomes "?".
std::u32string Utf32FromCp936(std::string_view text);
std::string Cp936FromUtf32(std::u32string_view text);

// UTF-16 for the wide Windows APIs.
std::u16string Utf16FromUtf32(std::u32string_view text);
std::u32string Utf32FromUtf16(std::u16string_view text);
