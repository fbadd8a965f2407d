#include "platform/message_box.h"

#include <ncursesw/curses.h>

#include <algorithm>
#include <iostream>
#include <vector>

#include "platform/character_width.h"
#include "platform/text_encoding.h"
#include "platform/unicode_text.h"

namespace {

constexpr char kConfirm[] = "[ 确定 ]";

// Whether the terminal dialog has the screen (the library shares this
// process's curses).
bool TerminalDialogOpen() { return stdscr != nullptr && isendwin() == FALSE; }

// Text for the wide curses calls (wchar_t holds a character on this system).
std::wstring Wide(const std::string& utf8) {
  const std::u32string text = Utf32FromUtf8(utf8);
  return std::wstring(text.begin(), text.end());
}

int Cells(const std::wstring& text) { return TextCells(std::u32string(text.begin(), text.end())); }

// The text's lines, broken where they would be wider than `cells`.
std::vector<std::wstring> Lines(const std::wstring& text, int cells) {
  std::vector<std::wstring> lines(1);
  int used = 0;
  for (wchar_t c : text) {
    if (c == L'\n') {
      lines.emplace_back();
      used = 0;
      continue;
    }
    const int width = CharacterCells(static_cast<char32_t>(c));
    if (used + width > cells && used > 0) {
      lines.emplace_back();
      used = 0;
    }
    lines.back() += c;
    used += width;
  }
  while (lines.size() > 1 && lines.back().empty()) lines.pop_back();
  return lines;
}

// A box over the dialog: the caption in its frame, the text, an OK button;
// Enter, Space or Esc closes it, and the dialog is drawn again.
void ShowOverTerminalDialog(const std::string& caption, const std::string& text) {
  const std::wstring title = Wide(" " + Utf8FromCp936(caption) + " ");
  const std::wstring confirm = Wide(kConfirm);
  const std::vector<std::wstring> lines = Lines(Wide(Utf8FromCp936(text)), std::max(10, COLS - 8));
  int inside = std::max(Cells(title), Cells(confirm));
  for (const std::wstring& line : lines) inside = std::max(inside, Cells(line));
  const int width = std::min(COLS, inside + 4);
  const int height = std::min(LINES, static_cast<int>(lines.size()) + 4);
  WINDOW* box_window = newwin(height, width, (LINES - height) / 2, (COLS - width) / 2);
  if (box_window == nullptr) return;
  keypad(box_window, TRUE);
  box(box_window, 0, 0);
  mvwaddwstr(box_window, 0, (width - Cells(title)) / 2, title.c_str());
  for (std::size_t i = 0; i < lines.size() && static_cast<int>(i) + 1 < height - 2; ++i) {
    mvwaddwstr(box_window, static_cast<int>(i) + 1, 2, lines[i].c_str());
  }
  wattron(box_window, A_REVERSE);
  mvwaddwstr(box_window, height - 2, (width - Cells(confirm)) / 2, confirm.c_str());
  wattroff(box_window, A_REVERSE);
  curs_set(0);
  wrefresh(box_window);
  wint_t key = 0;
  for (int kind; (kind = wget_wch(box_window, &key)) != ERR;) {
    if (kind == KEY_CODE_YES ? key == KEY_ENTER : key == L'\r' || key == L'\n' || key == L' ' || key == 27) break;
  }
  delwin(box_window);
  touchwin(stdscr);
  wrefresh(stdscr);
}

}  // namespace

void ShowMessageBox(const std::string& caption, const std::string& text, MessageIcon) {
  if (MessageBoxesArePrinted()) {
    PrintMessageBox(caption, text);
  } else if (TerminalDialogOpen()) {
    ShowOverTerminalDialog(caption, text);
  } else {
    std::cout << '[' << Utf8FromCp936(caption) << "]\n" << Utf8FromCp936(text);
    if (!text.empty() && text.back() != '\n') std::cout << '\n';
    std::cout.flush();
  }
}
