#include "rating/device_name.h"

#include <cstddef>

#include "probe/white_space.h"

// The normalisation is seven regular-expression replacements in a row, each
// scanning its input once from left to right without rescanning its own
// output. Every one of them only shortens the text, so here they run as three
// passes that rewrite one buffer in place (the write position never passes
// the read position), with the same result at a fraction of the cost.
namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsIgnoringCase(const std::string& text, std::size_t at, std::string_view upper_word) {
  if (text.size() - at < upper_word.size()) return false;
  for (std::size_t i = 0; i < upper_word.size(); ++i) {
    if (AsciiUpper(text[at + i]) != upper_word[i]) return false;
  }
  return true;
}

// Each innermost open...close group (no open or close inside) becomes one space.
void ReplaceInnermostGroups(std::string& s, char open, char close) {
  std::size_t read = s.find(open);
  if (read == std::string::npos) return;
  std::size_t write = read;
  while (read < s.size()) {
    if (s[read] != open) {
      s[write++] = s[read++];
      continue;
    }
    std::size_t end = read + 1;
    while (end < s.size() && s[end] != open && s[end] != close) ++end;
    if (end < s.size() && s[end] == close) {
      s[write++] = ' ';
      read = end + 1;
    } else {
      while (read < end) s[write++] = s[read++];
    }
  }
  s.resize(write);
}

bool IsDeviceWord(const std::string& s, std::size_t at, std::size_t length) {
  return (length == 3 && (EqualsIgnoringCase(s, at, "CPU") || EqualsIgnoringCase(s, at, "GPU"))) ||
         (length == 9 && EqualsIgnoringCase(s, at, "PROCESSOR"));
}

bool IsVendorPrefix(const std::string& s, std::size_t at, std::size_t length) {
  return length == 3 && (EqualsIgnoringCase(s, at, "ATI") || EqualsIgnoringCase(s, at, "AMD"));
}

// The last four replacements in one pass over the words (runs of non-space):
// - a device word that stands alone becomes a space, and the white space
//   after it goes with it, so the next word cannot be one (x CPU GPU y keeps
//   GPU);
// - ATI/AMD at the very start, followed by white space, goes;
// - each "@?%" becomes a space;
// - all white space goes, and letters are upper-cased.
// Every space these leave is dropped by the last step, a marker never spans
// two words, and a removed device word leaves white space before the next
// word, so the vendor prefix and the markers see what they would have seen
// after the device words were replaced.
void ReduceWords(std::string& s) {
  std::size_t write = 0;
  std::size_t read = 0;
  bool previous_word_removed = false;
  for (;;) {
    while (read < s.size() && IsWhiteSpace(s[read])) ++read;
    if (read == s.size()) break;
    const std::size_t begin = read;
    while (read < s.size() && !IsWhiteSpace(s[read])) ++read;
    const std::size_t length = read - begin;

    const bool removed = !previous_word_removed && IsDeviceWord(s, begin, length);
    previous_word_removed = removed;
    if (removed) continue;
    if (begin == 0 && read < s.size() && IsVendorPrefix(s, begin, length)) continue;
    for (std::size_t i = begin; i < read; ++i) {
      if (s[i] == '@' && i + 2 < read && s[i + 1] == '?' && s[i + 2] == '%') {
        i += 2;
      } else {
        s[write++] = AsciiUpper(s[i]);
      }
    }
  }
  s.resize(write);
}

}  // namespace

void NormalizeDeviceNameInto(std::string_view name, std::string& s) {
  s.assign(TrimmedView(name));
  ReplaceInnermostGroups(s, '(', ')');
  ReplaceInnermostGroups(s, '[', ']');
  ReduceWords(s);
}

std::string NormalizeDeviceName(std::string_view name) {
  std::string normalised;
  NormalizeDeviceNameInto(name, normalised);
  return normalised;
}

bool DeviceNameLess(std::string_view a, std::string_view b) {
  return NormalizeDeviceName(a) < NormalizeDeviceName(b);
}
