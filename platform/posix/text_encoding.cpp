#include "platform/text_encoding.h"

#include "platform/posix/iconv_text.h"

// Like the Windows conversion without flags: a character that code page 936
// does not have becomes "?".
std::string Cp936FromUtf16Unit(std::uint16_t unit) {
  const char utf16le[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  return ConvertText(std::string_view(utf16le, 2), "UTF-16LE", "CP936").value_or("?");
}
