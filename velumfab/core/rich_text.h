#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace VelumFab {

// A stretch of rich-label text with one look. A colour is a COLORREF,
// 0x00BBGGRR, as Windows writes colours: 0x1717C5 is red.
struct TextRun {
  std::string text;  // code page 936
  std::u32string shown;  // what `text` shows
  std::optional<std::uint32_t> color;
  bool bold = false;
  int size = 0;  // points; 0: the label's own size
};
using RichText = std::vector<TextRun>;

// Reads rich-label markup: `font` elements with `color` ("0x" and six
// hexadecimal digits), `bold` ("1") and `size` (points) around text, nested
// as deep as wanted. Everything that is no such element is text, so markup
// never fails: an unknown or broken tag shows as it is written.
RichText ParseRichText(std::string_view markup);

// The text without its looks.
std::string PlainText(const RichText& text);

// "0x" and exactly six hexadecimal digits, read as a number.
std::optional<std::uint32_t> ParseColor(std::string_view text);

// The colour as "0x" and six upper-case hexadecimal digits.
std::string ColorText(std::uint32_t color);

}  // namespace VelumFab
