#include "velumfab/core/rich_text.h"

#include <cstdio>

namespace VelumFab {

namespace {

constexpr int kMaxFontSize = 72;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<int> ParseSize(std::string_view text) {
  if (text.empty() || text.size() > 2) return std::nullopt;
  int size = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    size = size * 10 + (c - '0');
  }
  if (size < 1 || size > kMaxFontSize) return std::nullopt;
  return size;
}

// Applies one attribute of a font element to `look`; unknown names and
// unreadable values leave it as it was.
void ApplyAttribute(std::string_view name, std::string_view value, TextRun& look) {
  if (name == "color") {
    if (const auto color = ParseColor(value)) look.color = color;
  } else if (name == "bold") {
    if (value == "1" || value == "0") look.bold = value == "1";
  } else if (name == "size") {
    if (const auto size = ParseSize(value)) look.size = *size;
  }
}

// Reads the attributes of a font element from `at` (just after "<font") up
// to its ">"; false when the element is not well formed.
bool ReadFontAttributes(std::string_view markup, std::size_t& at, TextRun& look) {
  while (true) {
    while (at < markup.size() && IsBlank(markup[at])) ++at;
    if (at >= markup.size()) return false;
    if (markup[at] == '>') {
      ++at;
      return true;
    }
    const std::size_t name_begin = at;
    while (at < markup.size() && markup[at] != '=' && markup[at] != '>' && !IsBlank(markup[at])) ++at;
    const std::string_view name = markup.substr(name_begin, at - name_begin);
    if (name.empty() || at >= markup.size() || markup[at] != '=') return false;
    ++at;
    if (at >= markup.size() || (markup[at] != '"' && markup[at] != '\'')) return false;
    const char quote = markup[at++];
    const std::size_t value_end = markup.find(quote, at);
    if (value_end == std::string_view::npos) return false;
    ApplyAttribute(name, markup.substr(at, value_end - at), look);
    at = value_end + 1;
  }
}

bool StartsWith(std::string_view text, std::size_t at, std::string_view prefix) {
  return text.substr(at, prefix.size()) == prefix;
}

void Append(RichText& text, const TextRun& look, std::string_view characters) {
  if (characters.empty()) return;
  if (!text.empty()) {
    TextRun& last = text.back();
    if (last.color == look.color && last.bold == look.bold && last.size == look.size) {
      last.text.append(characters);
      return;
    }
  }
  TextRun run = look;
  run.text.assign(characters);
  text.push_back(std::move(run));
}

}  // namespace

RichText ParseRichText(std::string_view markup) {
  RichText text;
  std::vector<TextRun> looks{TextRun{}};
  std::size_t at = 0;
  std::size_t text_begin = 0;
  while (at < markup.size()) {
    if (markup[at] != '<') {
      ++at;
      continue;
    }
    std::size_t tag_end = at;
    if (StartsWith(markup, at, "</font>") && looks.size() > 1) {
      Append(text, looks.back(), markup.substr(text_begin, at - text_begin));
      looks.pop_back();
      at += 7;
      text_begin = at;
      continue;
    }
    if (StartsWith(markup, at, "<font") && at + 5 < markup.size() && (IsBlank(markup[at + 5]) || markup[at + 5] == '>')) {
      tag_end = at + 5;
      TextRun look = looks.back();
      look.text.clear();
      if (ReadFontAttributes(markup, tag_end, look)) {
        Append(text, looks.back(), markup.substr(text_begin, at - text_begin));
        looks.push_back(look);
        at = tag_end;
        text_begin = at;
        continue;
      }
    }
    ++at;
  }
  Append(text, looks.back(), markup.substr(text_begin));
  return text;
}

std::string PlainText(const RichText& text) {
  std::string plain;
  for (const TextRun& run : text) plain += run.text;
  return plain;
}

std::optional<std::uint32_t> ParseColor(std::string_view text) {
  if (text.size() != 8 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return std::nullopt;
  std::uint32_t color = 0;
  for (char c : text.substr(2)) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    color = color << 4 | static_cast<std::uint32_t>(digit);
  }
  return color;
}

std::string ColorText(std::uint32_t color) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(color & 0xFFFFFF));
  return text;
}

}  // namespace VelumFab
