#include "platform/message_box.h"

#include <ncursesw/curses.h>

#include <algorithm>
#include <iostream>
#include <vector>

#include "platform/character_width.h"
#include "platform/posix/terminal_session.h"
#include "platform/posix/termination_signals.h"
#include "platform/text_encoding.h"
#include "platform/unicode_text.h"

namespace {

constexpr char32_t kConfirm[] = U"[ 确定 ]";
constexpr char32_t kMoreBelow[] = U" ↓ ";
constexpr char32_t kMoreAbove[] = U" ↑ ";

// Whether the terminal dialog has the screen (the library shares this
// process's curses).
bool TerminalDialogOpen() { return stdscr != nullptr && isendwin() == FALSE; }

// Text for the wide curses calls (wchar_t holds a character on this system).
std::wstring Wide(std::u32string_view text) { return std::wstring(text.begin(), text.end()); }

// The text's lines, broken where they would be wider than `cells`.
std::vector<std::u32string> Lines(std::u32string_view text, int cells) {
  std::vector<std::u32string> lines(1);
  int used = 0;
  for (char32_t c : text) {
    if (c == U'\n') {
      lines.emplace_back();
      used = 0;
      continue;
    }
    if (used + CharacterCells(c) > cells && used > 0) {
      lines.emplace_back();
      used = 0;
    }
    lines.back() += c;
    used += CharacterCells(c);
  }
  while (lines.size() > 1 && lines.back().empty()) lines.pop_back();
  return lines;
}

// A box in the middle of the screen: the caption in its frame, the text, an
// OK button. A text taller than the screen scrolls with the arrows and the
// page keys, with marks where it goes on. Enter, Space or Esc closes it.
void ShowBoxOnScreen(const std::string& caption, const std::string& text) {
  const std::u32string title = U" " + Utf32FromCp936(caption) + U" ";
  const std::vector<std::u32string> lines = Lines(Utf32FromCp936(text), std::max(10, COLS - 8));
  int inside = std::max(TextCells(title), TextCells(kConfirm));
  for (const std::u32string& line : lines) inside = std::max(inside, TextCells(line));
  const int width = std::min(COLS, inside + 4);
  const int height = std::min(LINES, static_cast<int>(lines.size()) + 4);
  const int shown = std::max(1, height - 4);
  WINDOW* window = newwin(height, width, (LINES - height) / 2, (COLS - width) / 2);
  if (window == nullptr) return;
  keypad(window, TRUE);
  curs_set(0);
  for (int top = 0;;) {
    werase(window);
    box(window, 0, 0);
    mvwaddwstr(window, 0, std::max(0, (width - TextCells(title)) / 2), Wide(title).c_str());
    for (int i = 0; i < shown && top + i < static_cast<int>(lines.size()); ++i) {
      mvwaddwstr(window, i + 1, 2, Wide(lines[static_cast<std::size_t>(top + i)]).c_str());
    }
    if (top > 0) mvwaddwstr(window, 0, width - 5, Wide(kMoreAbove).c_str());
    if (top + shown < static_cast<int>(lines.size())) mvwaddwstr(window, height - 3, width - 5, Wide(kMoreBelow).c_str());
    wattron(window, A_REVERSE);
    mvwaddwstr(window, height - 2, (width - TextCells(kConfirm)) / 2, Wide(kConfirm).c_str());
    wattroff(window, A_REVERSE);
    wrefresh(window);
    wint_t key = 0;
    const int kind = wget_wch(window, &key);
    if (kind == ERR) break;
    const int last = std::max(0, static_cast<int>(lines.size()) - shown);
    if (kind == KEY_CODE_YES) {
      if (key == KEY_ENTER) break;
      if (key == KEY_DOWN) top = std::min(last, top + 1);
      if (key == KEY_UP) top = std::max(0, top - 1);
      if (key == KEY_NPAGE) top = std::min(last, top + shown);
      if (key == KEY_PPAGE) top = std::max(0, top - shown);
    } else if (key == L'\r' || key == L'\n' || key == L' ' || key == 27) {
      break;
    }
  }
  delwin(window);
  touchwin(stdscr);
  wrefresh(stdscr);
}

void Print(const std::string& caption, const std::string& text) {
  std::cout << '[' << Utf8FromCp936(caption) << "]\n" << Utf8FromCp936(text);
  if (!text.empty() && text.back() != '\n') std::cout << '\n';
  std::cout.flush();
}

SCREEN* g_box_screen = nullptr;

// Gives the terminal back after a box of its own.
void EndBoxScreen() {
  if (g_box_screen == nullptr) return;
  endwin();
  delscreen(g_box_screen);
  g_box_screen = nullptr;
}

}  // namespace

void ShowMessageBox(const std::string& caption, const std::string& text, MessageIcon) {
  if (MessageBoxesArePrinted()) {
    PrintMessageBox(caption, text);
  } else if (TerminalDialogOpen()) {
    ShowBoxOnScreen(caption, text);
  } else {
    Print(caption, text);
  }
}

void ShowWaitingMessageBox(const std::string& caption, const std::string& text, MessageIcon icon) {
  ShowMessageBox(caption, text, icon);
  if (MessageBoxesArePrinted() || TerminalDialogOpen() || !StandardStreamsAreTerminals()) return;
  const std::string previous_locale = UseUtf8CharacterLocale();
  if (previous_locale.empty()) return;
  DoOnTerminationSignals(EndBoxScreen);
  g_box_screen = newterm(nullptr, stdout, stdin);
  if (g_box_screen != nullptr) {
    cbreak();
    noecho();
    nonl();
    ShowBoxOnScreen(caption, text);
  }
  EndBoxScreen();
  StopDoingOnTerminationSignals(EndBoxScreen);
  RestoreCharacterLocale(previous_locale);
}
