#include "platform/text_encoding.h"

#include <iconv.h>

#include <cerrno>

#include "platform/posix/locale_text.h"

namespace {

// Converts with iconv. A byte sequence that is invalid in `from`, or has no
// form in `to`, is handed to `keep`, which appends its replacement; the
// conversion goes on after that sequence's first byte.
template <typename Keep>
std::string Convert(std::string_view text, const char* from, const char* to, std::size_t unit, Keep keep) {
  std::string out;
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return out;
  char* in_ptr = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  char buffer[256];
  while (in_left > 0) {
    char* out_ptr = buffer;
    std::size_t out_left = sizeof buffer;
    const std::size_t result = iconv(converter, &in_ptr, &in_left, &out_ptr, &out_left);
    out.append(buffer, sizeof buffer - out_left);
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
      const std::size_t skipped = in_left < unit ? in_left : unit;
      keep(out, std::string_view(in_ptr, skipped));
      in_ptr += skipped;
      in_left -= skipped;
      iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(converter);
  return out;
}

void KeepAsIs(std::string& out, std::string_view bytes) { out.append(bytes); }

std::u16string FromUtf16Le(const std::string& bytes) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return units;
}

std::string ToUtf16Le(std::u16string_view units) {
  std::string bytes;
  for (char16_t unit : units) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

}  // namespace

// Like the Windows conversion without flags: a character that code page 936
// does not have becomes "?"; the bytes count up to the first zero byte, so
// U+0000 gives nothing.
std::string Cp936FromUtf16Unit(std::uint16_t unit) {
  const char16_t units[1] = {static_cast<char16_t>(unit)};
  const std::string bytes = Cp936FromUtf16(std::u16string_view(units, 1));
  return bytes.substr(0, bytes.find('\0'));
}

std::u16string Utf16FromCp936(std::string_view text) {
  return FromUtf16Le(Convert(text, "CP936", "UTF-16LE", 1,
                             [](std::string& out, std::string_view) { out += "\xFD\xFF"; }));
}

std::string Cp936FromUtf16(std::u16string_view text) {
  const std::string bytes = ToUtf16Le(text);
  return Convert(bytes, "UTF-16LE", "CP936", 2, [](std::string& out, std::string_view) { out += '?'; });
}

std::string Utf8FromCp936(std::string_view text) { return Convert(text, "CP936", "UTF-8", 1, KeepAsIs); }

std::string Cp936FromUtf8(std::string_view text) { return Convert(text, "UTF-8", "CP936", 1, KeepAsIs); }

std::string Cp936FromEncoding(std::string_view text, const char* encoding) {
  return Convert(text, encoding, "CP936", 1, KeepAsIs);
}
