#pragma once

#include <string>
#include <string_view>

// The white-space class of the probe's, the name rules' and the device
// list's patterns ("\s"): space, tab, line feed, vertical tab, form feed and
// carriage return; no other byte.
constexpr bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// `text` without its leading and trailing white space.
inline std::string_view TrimmedView(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && IsWhiteSpace(text[begin])) ++begin;
  std::size_t end = text.size();
  while (end > begin && IsWhiteSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// Removes leading and trailing white space; runs inside the text stay.
inline std::string TrimWhitespace(std::string_view text) { return std::string(TrimmedView(text)); }
