#include "velumfab/terminal/text_cells.h"

namespace VelumFab {

namespace {

// One character of UTF-8 text: its bytes and its code point (or -1 for a
// byte that starts no valid character).
struct Utf8Character {
  std::size_t length;
  long code_point;
};

Utf8Character NextCharacter(std::string_view text) {
  const unsigned char lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 && lead < 0xF8 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || length > text.size()) return {1, -1};
  long code_point = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return {1, -1};
    code_point = code_point << 6 | (next & 0x3F);
  }
  return {length, code_point};
}

int Cells(long code_point) {
  if (code_point < 0) return 1;
  if ((code_point >= 0x0300 && code_point <= 0x036F) || code_point == 0x200B) return 0;
  const bool wide = (code_point >= 0x1100 && code_point <= 0x115F) || (code_point >= 0x2E80 && code_point <= 0x303E) ||
                    (code_point >= 0x3041 && code_point <= 0x33FF) || (code_point >= 0x3400 && code_point <= 0x4DBF) ||
                    (code_point >= 0x4E00 && code_point <= 0x9FFF) || (code_point >= 0xA000 && code_point <= 0xA4CF) ||
                    (code_point >= 0xAC00 && code_point <= 0xD7A3) || (code_point >= 0xF900 && code_point <= 0xFAFF) ||
                    (code_point >= 0xFE30 && code_point <= 0xFE4F) || (code_point >= 0xFF00 && code_point <= 0xFF60) ||
                    (code_point >= 0xFFE0 && code_point <= 0xFFE6) || (code_point >= 0x20000 && code_point <= 0x3FFFD);
  return wide ? 2 : 1;
}

}  // namespace

int CellWidth(std::string_view utf8) {
  int cells = 0;
  while (!utf8.empty()) {
    const Utf8Character character = NextCharacter(utf8);
    cells += Cells(character.code_point);
    utf8.remove_prefix(character.length);
  }
  return cells;
}

std::string FitCells(std::string_view utf8, int cells) {
  std::size_t at = 0;
  int used = 0;
  while (at < utf8.size()) {
    const Utf8Character character = NextCharacter(utf8.substr(at));
    const int width = Cells(character.code_point);
    if (used + width > cells) break;
    used += width;
    at += character.length;
  }
  return std::string(utf8.substr(0, at));
}

std::string LastCells(std::string_view utf8, int cells) {
  std::string_view rest = utf8;
  while (CellWidth(rest) > cells) rest.remove_prefix(NextCharacter(rest).length);
  return std::string(rest);
}

bool StartsWithClosingPunctuation(std::string_view utf8) {
  static const std::u32string_view kClosing = U"，。！？、；：）」』”’";
  if (utf8.empty()) return false;
  const Utf8Character character = NextCharacter(utf8);
  return character.code_point > 0 && kClosing.find(static_cast<char32_t>(character.code_point)) != std::u32string_view::npos;
}

std::string WithoutLastCharacter(std::string_view utf8) {
  std::size_t last = 0;
  for (std::size_t at = 0; at < utf8.size(); at += NextCharacter(utf8.substr(at)).length) last = at;
  return std::string(utf8.substr(0, last));
}

std::vector<std::string> WrapCells(std::string_view utf8, int cells) {
  std::vector<std::string> lines(1);
  int used = 0;
  while (!utf8.empty()) {
    const Utf8Character character = NextCharacter(utf8);
    const std::string_view bytes = utf8.substr(0, character.length);
    utf8.remove_prefix(character.length);
    if (bytes == "\n") {
      lines.emplace_back();
      used = 0;
      continue;
    }
    const int width = Cells(character.code_point);
    if (used + width > cells && used > 0) {
      lines.emplace_back();
      used = 0;
    }
    lines.back() += bytes;
    used += width;
  }
  return lines;
}

}  // namespace VelumFab
