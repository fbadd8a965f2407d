#include "platform/text_encoding.h"

#include <iconv.h>

// Like the Windows conversion without flags: a character that code page 936
// does not have becomes "?".
std::string Cp936FromUtf16Unit(std::uint16_t unit) {
  iconv_t converter = iconv_open("CP936", "UTF-16LE");
  if (converter == reinterpret_cast<iconv_t>(-1)) return {};
  char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
  char out[4] = {};
  char* in_ptr = in;
  char* out_ptr = out;
  std::size_t in_left = sizeof in;
  std::size_t out_left = sizeof out;
  const std::size_t result = iconv(converter, &in_ptr, &in_left, &out_ptr, &out_left);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1)) return "?";
  return std::string(out, sizeof out - out_left);
}
