#include "platform/unicode_text.h"

#include "platform/text_encoding.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c < 0xE000; }

}  // namespace

std::u32string Utf32FromUtf8(std::string_view utf8) {
  std::u32string text;
  text.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[at]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 && lead < 0xF5 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    bool valid = length != 0 && at + length <= utf8.size();
    for (std::size_t i = 1; valid && i < length; ++i) {
      const unsigned char next = static_cast<unsigned char>(utf8[at + i]);
      valid = (next & 0xC0) == 0x80;
      c = c << 6 | (next & 0x3F);
    }
    // Over-long forms, surrogates and values past U+10FFFF are no characters.
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (valid && (c < kLeast[length] || IsSurrogate(c) || c > 0x10FFFF)) valid = false;
    text += valid ? c : kReplacement;
    at += valid ? length : 1;
  }
  return text;
}

std::string Utf8FromUtf32(std::u32string_view text) {
  std::string utf8;
  utf8.reserve(text.size());
  for (char32_t c : text) {
    if (IsSurrogate(c) || c > 0x10FFFF) c = kReplacement;
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
      utf8 += static_cast<char>(0xC0 | c >> 6);
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      utf8 += static_cast<char>(0xE0 | c >> 12);
      utf8 += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      utf8 += static_cast<char>(0xF0 | c >> 18);
      utf8 += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      utf8 += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

std::u16string Utf16FromUtf32(std::u32string_view text) {
  std::u16string utf16;
  utf16.reserve(text.size());
  for (char32_t c : text) {
    if (IsSurrogate(c) || c > 0x10FFFF) c = kReplacement;
    if (c < 0x10000) {
      utf16 += static_cast<char16_t>(c);
    } else {
      utf16 += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      utf16 += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return utf16;
}

std::u32string Utf32FromUtf16(std::u16string_view text) {
  std::u32string utf32;
  utf32.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t unit = text[i];
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      utf32 += 0x10000 + ((unit - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else {
      utf32 += IsSurrogate(unit) ? kReplacement : unit;
    }
  }
  return utf32;
}

std::u32string Utf32FromCp936(std::string_view text) { return Utf32FromUtf16(Utf16FromCp936(text)); }

std::string Cp936FromUtf32(std::u32string_view text) {
  // Code page 936 has no character beyond the first plane.
  std::u32string within(text);
  for (char32_t& c : within) {
    if (c > 0xFFFF) c = U'?';
  }
  return Cp936FromUtf16(Utf16FromUtf32(within));
}
