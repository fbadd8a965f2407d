#include "rating/device_name.h"

#include <algorithm>
#include <cstddef>

#include "app/white_space.h"

// The normalisation is seven regular-expression replacements in a row, each
// scanning its input once from left to right without rescanning its own
// output. Every one of them only shortens the text, so here they run as three
// passes that rewrite one buffer in place (the write position never passes
// the read position), with the same result at a fraction of the cost.
namespace {

// Per byte: its upper-case form and whether it is white space.
struct ByteClasses {
  char upper[256];
  bool space[256];
  constexpr ByteClasses() : upper(), space() {
    for (int c = 0; c < 256; ++c) {
      upper[c] = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
      space[c] = IsWhiteSpace(static_cast<char>(c));
    }
  }
};
constexpr ByteClasses kBytes;

bool IsSpaceByte(char c) { return kBytes.space[static_cast<unsigned char>(c)]; }
char AsciiUpper(char c) { return kBytes.upper[static_cast<unsigned char>(c)]; }

// Each innermost open...close group (no open or close inside) becomes one
// space. Works on a raw pointer and a local length: stores through a char
// pointer could alias the string's own size, which would otherwise be read
// again after every store.
void ReplaceInnermostGroups(std::string& s, std::size_t first_open, char open, char close) {
  char* text = s.data();
  const std::size_t size = s.size();
  std::size_t read = first_open;
  std::size_t write = read;
  while (read < size) {
    if (text[read] != open) {
      text[write++] = text[read++];
      continue;
    }
    std::size_t end = read + 1;
    while (end < size && text[end] != open && text[end] != close) ++end;
    if (end < size && text[end] == close) {
      text[write++] = ' ';
      read = end + 1;
    } else {
      while (read < end) text[write++] = text[read++];
    }
  }
  s.resize(write);
}

bool WrittenWordIs(const char* word, std::size_t length, std::string_view upper_word) {
  return length == upper_word.size() && std::equal(upper_word.begin(), upper_word.end(), word);
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
// after the device words were replaced. Each word is written upper-cased as
// it is read, and taken back when it turns out to be one that goes; a word
// that held a marker is none of those.
void ReduceWords(std::string& s) {
  char* text = s.data();
  const std::size_t size = s.size();
  std::size_t write = 0;
  std::size_t read = 0;
  bool previous_word_removed = false;
  for (;;) {
    while (read < size && IsSpaceByte(text[read])) ++read;
    if (read == size) break;
    const std::size_t begin = read;
    const std::size_t word = write;
    bool marker = false;
    for (; read < size && !IsSpaceByte(text[read]); ++read) {
      if (text[read] == '@' && read + 2 < size && text[read + 1] == '?' && text[read + 2] == '%') {
        read += 2;
        marker = true;
      } else {
        text[write++] = AsciiUpper(text[read]);
      }
    }
    const char* written = text + word;
    const std::size_t length = write - word;
    const bool device_word = !marker && (WrittenWordIs(written, length, "CPU") || WrittenWordIs(written, length, "GPU") ||
                                         WrittenWordIs(written, length, "PROCESSOR"));
    const bool removed = !previous_word_removed && device_word;
    previous_word_removed = removed;
    const bool vendor_prefix = begin == 0 && read < size && !marker &&
                               (WrittenWordIs(written, length, "ATI") || WrittenWordIs(written, length, "AMD"));
    if (removed || vendor_prefix) write = word;
  }
  s.resize(write);
}

}  // namespace

void NormalizeDeviceNameInto(std::string_view name, std::string& s) {
  s.assign(TrimmedView(name));
  // Most names hold no parenthesis and no bracket: one look at the text
  // spares the group passes.
  const std::size_t parenthesis = s.find('(');
  if (parenthesis != std::string::npos) ReplaceInnermostGroups(s, parenthesis, '(', ')');
  const std::size_t bracket = s.find('[');
  if (bracket != std::string::npos) ReplaceInnermostGroups(s, bracket, '[', ']');
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
