#include "rating/device_name.h"

#include <cstddef>

// Each step below is one left-to-right replacement pass that never rescans
// its own output, so the steps together give exactly the result of seven
// successive regular-expression replacements, at a fraction of the cost.
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsIgnoringCase(std::string_view text, std::size_t at, std::string_view upper_word) {
  if (text.size() - at < upper_word.size()) return false;
  for (std::size_t i = 0; i < upper_word.size(); ++i) {
    if (AsciiUpper(text[at + i]) != upper_word[i]) return false;
  }
  return true;
}

std::string_view TrimEdges(std::string_view s) {
  std::size_t begin = 0;
  while (begin < s.size() && IsSpace(s[begin])) ++begin;
  std::size_t end = s.size();
  while (end > begin && IsSpace(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

// Replaces every innermost open...close group (no open or close inside) by one space.
void ReplaceInnermostGroups(std::string_view in, char open, char close, std::string& out) {
  out.clear();
  std::size_t i = 0;
  while (i < in.size()) {
    if (in[i] == open) {
      std::size_t j = i + 1;
      while (j < in.size() && in[j] != open && in[j] != close) ++j;
      if (j < in.size() && in[j] == close) {
        out += ' ';
        i = j + 1;
        continue;
      }
    }
    out += in[i++];
  }
}

// Length of the device word (CPU, GPU, Processor; any case) at `at`, or 0.
std::size_t DeviceWordAt(std::string_view s, std::size_t at) {
  for (std::string_view word : {std::string_view("CPU"), std::string_view("GPU"),
                                std::string_view("PROCESSOR")}) {
    if (EqualsIgnoringCase(s, at, word)) return word.size();
  }
  return 0;
}

// A device word that stands alone, with the white space on both sides,
// becomes one space. The white space after a removed word is consumed with
// it, so a directly following second word stays.
void ReplaceDeviceWords(std::string_view in, std::string& out) {
  out.clear();
  std::size_t i = 0;
  while (i < in.size()) {
    if (i != 0 && !IsSpace(in[i])) {
      out += in[i++];
      continue;
    }
    std::size_t word_at = i;
    while (word_at < in.size() && IsSpace(in[word_at])) ++word_at;
    std::size_t word_len = DeviceWordAt(in, word_at);
    std::size_t after = word_at + word_len;
    if (word_len != 0 && (after == in.size() || IsSpace(in[after]))) {
      while (after < in.size() && IsSpace(in[after])) ++after;
      out += ' ';
      i = after;
    } else if (word_at > i) {
      out.append(in, i, word_at - i);
      i = word_at;
    } else {
      out += in[i++];
    }
  }
}

std::string_view WithoutVendorPrefix(std::string_view s) {
  if (!EqualsIgnoringCase(s, 0, "ATI") && !EqualsIgnoringCase(s, 0, "AMD")) return s;
  std::size_t end = 3;
  while (end < s.size() && IsSpace(s[end])) ++end;
  return end == 3 ? s : s.substr(end);
}

// Replaces each "@?%" by a space, then drops all white space and upper-cases.
// A marker always turns into white space that is dropped at once, so both
// steps run as one pass.
void DropMarkersAndSpaceUpperCased(std::string_view in, std::string& out) {
  out.clear();
  std::size_t i = 0;
  while (i < in.size()) {
    if (in.compare(i, 3, "@?%") == 0) {
      i += 3;
    } else {
      if (!IsSpace(in[i])) out += AsciiUpper(in[i]);
      ++i;
    }
  }
}

}  // namespace

std::string NormalizeDeviceName(std::string_view name) {
  std::string a;
  std::string b;
  a.reserve(name.size() + 1);
  b.reserve(name.size() + 1);
  ReplaceInnermostGroups(TrimEdges(name), '(', ')', a);
  ReplaceInnermostGroups(a, '[', ']', b);
  ReplaceDeviceWords(b, a);
  DropMarkersAndSpaceUpperCased(WithoutVendorPrefix(a), b);
  return b;
}

bool DeviceNameLess(std::string_view a, std::string_view b) {
  return NormalizeDeviceName(a) < NormalizeDeviceName(b);
}
