#include "velumfab/terminal/terminal_backend.h"

#include <ncursesw/curses.h>
#include <ncursesw/term.h>

#include <cstdlib>
#include <exception>
#include <map>

#include "platform/character_width.h"
#include "platform/posix/terminal_session.h"
#include "platform/posix/termination_signals.h"
#include "velumfab/terminal/terminal_colors.h"

namespace VelumFab {

namespace {

constexpr int kEscapeDelayMilliseconds = 25;

std::string g_previous_locale;
SCREEN* g_screen = nullptr;
std::terminate_handler g_previous_terminate = nullptr;

// Gives the terminal back: leaves curses mode and the UTF-8 locale, and
// writes out what standard error held meanwhile.
void RestoreTerminal() {
  if (g_screen == nullptr) return;
  endwin();
  g_screen = nullptr;
  RestoreCharacterLocale(g_previous_locale);
  ReleaseStandardError();
}

[[noreturn]] void RestoreAndTerminate() {
  RestoreTerminal();
  if (g_previous_terminate != nullptr) g_previous_terminate();
  std::abort();
}

// Whether the terminal can place its cursor anywhere: one that cannot
// (TERM=dumb) cannot draw the dialog.
bool TerminalAddressesCells() {
  const char* move = tigetstr(const_cast<char*>("cup"));
  return move != nullptr && move != reinterpret_cast<char*>(-1);
}

class CursesCanvas final : public Canvas {
 public:
  int Rows() const override { return LINES; }
  int Columns() const override { return COLS; }
  void Clear() override { erase(); }

  void Put(int row, int column, std::u32string_view text, const CellLook& look) override {
    if (row < 0 || row >= LINES || column < 0 || column >= COLS) return;
    attr_t attributes = A_NORMAL;
    if (look.reverse) attributes |= A_REVERSE;
    if (look.underline) attributes |= A_UNDERLINE;
    if (look.bold) attributes |= A_BOLD;
    if (look.color && has_colors()) attributes |= COLOR_PAIR(PairFor(*look.color));
    attrset(attributes);
    std::wstring fitted;
    int used = 0;
    for (char32_t c : text) {
      used += CharacterCells(c);
      if (column + used > COLS) break;
      fitted += static_cast<wchar_t>(c);
    }
    mvaddwstr(row, column, fitted.c_str());
    attrset(A_NORMAL);
  }

 private:
  short PairFor(std::uint32_t color) {
    const short terminal_color = NearestTerminalColor(color, COLORS);
    const auto known = pairs_.find(terminal_color);
    if (known != pairs_.end()) return known->second;
    const short pair = static_cast<short>(pairs_.size() + 1);
    if (pair >= COLOR_PAIRS) return 0;
    init_pair(pair, terminal_color, -1);
    pairs_[terminal_color] = pair;
    return pair;
  }

  std::map<short, short> pairs_;
};

CursesCanvas& TheCanvas() {
  static CursesCanvas canvas;
  return canvas;
}

// The character of an edit's field that the pointer at `column` is on: the
// caret goes before it (after the last one, past the text's end).
int CharacterAt(const Control& edit, const PointerArea& area, int column) {
  const int target = column - (area.column + 1);  // the field begins after its "["
  int used = 0;
  int position = area.first_shown;
  while (position < static_cast<int>(edit.shown.size())) {
    const int cells = CharacterCells(edit.shown[static_cast<std::size_t>(position)]);
    if (target < used + cells) break;
    used += cells;
    ++position;
  }
  return position;
}

}  // namespace

TerminalBackend::TerminalBackend(const HostServices& host) : host_(host) {}

TerminalBackend::~TerminalBackend() { Stop(); }

bool TerminalBackend::Start(const ControlModel& model, const UiState& state, std::string& reason) {
  model_ = &model;
  state_ = &state;
  if (!StandardStreamsAreTerminals()) {
    reason = "standard input or output is not a terminal";
    return false;
  }
  g_previous_locale = UseUtf8CharacterLocale();
  if (g_previous_locale.empty()) {
    reason = "no UTF-8 locale is installed";
    return false;
  }
  const char* terminal = std::getenv("TERM");
  const std::string term = terminal == nullptr ? "" : terminal;
  // Ours before curses sets up, so that curses leaves them to us and a
  // signal still ends the process as a signal.
  DoOnTerminationSignals(RestoreTerminal);
  g_screen = newterm(nullptr, stdout, stdin);
  if (g_screen == nullptr || !TerminalAddressesCells()) {
    if (g_screen != nullptr) endwin();
    g_screen = nullptr;
    StopDoingOnTerminationSignals(RestoreTerminal);
    RestoreCharacterLocale(g_previous_locale);
    reason = "the terminal (TERM=" + term + ") cannot draw the dialog: it needs one that places its cursor, "
             "such as TERM=xterm-256color";
    return false;
  }
  HoldStandardError();
  g_previous_terminate = std::set_terminate(RestoreAndTerminate);
  running_ = true;
  cbreak();
  noecho();
  nonl();
  keypad(stdscr, TRUE);
  set_escdelay(kEscapeDelayMilliseconds);
  mousemask(BUTTON1_PRESSED | BUTTON1_CLICKED, nullptr);
  mouseinterval(0);
  if (has_colors()) {
    start_color();
    use_default_colors();
  }
  return true;
}

void TerminalBackend::Stop() {
  if (!running_) return;
  running_ = false;
  RestoreTerminal();
  StopDoingOnTerminationSignals(RestoreTerminal);
  std::set_terminate(g_previous_terminate);
}

void TerminalBackend::Repaint() {
  if (!running_) return;
  painted_ = PaintScreen(*model_, *state_, TheCanvas());
  curs_set(painted_.caret ? 1 : 0);
  if (painted_.caret) move(painted_.caret->row, painted_.caret->column);
  refresh();
}

void TerminalBackend::DropPendingInput() {
  if (running_) flushinp();
}

bool TerminalBackend::ReadInput(InputQueue& queue) {
  while (running_ && queue.Empty()) {
    if (!ReadKey(queue)) return false;
  }
  return running_;
}

void TerminalBackend::TakePendingInput(InputQueue& queue) {
  if (!running_) return;
  nodelay(stdscr, TRUE);
  while (ReadKey(queue)) {
  }
  nodelay(stdscr, FALSE);
}

bool TerminalBackend::ReadKey(InputQueue& queue) {
  wint_t key = 0;
  const int kind = get_wch(&key);
  if (kind == ERR) return false;
  if (kind == KEY_CODE_YES && key == KEY_RESIZE) {
    Repaint();
    return true;
  }
  if (painted_.too_small) return true;  // until the terminal is large enough, only Ctrl-C acts
  if (kind == KEY_CODE_YES) {
    switch (key) {
      case KEY_MOUSE: Pointer(queue); break;
      case KEY_BTAB: queue.PushKey(0, kKeyTab, U'\t', true); break;
      case KEY_UP: queue.PushKey(0, kKeyUp, 0); break;
      case KEY_DOWN: queue.PushKey(0, kKeyDown, 0); break;
      case KEY_LEFT: queue.PushKey(0, kKeyLeft, 0); break;
      case KEY_RIGHT: queue.PushKey(0, kKeyRight, 0); break;
      case KEY_HOME: queue.PushKey(0, kKeyHome, 0); break;
      case KEY_END: queue.PushKey(0, kKeyEnd, 0); break;
      case KEY_DC: queue.PushKey(0, kKeyDelete, 0); break;
      case KEY_BACKSPACE: queue.PushKey(0, kKeyBackspace, U'\b'); break;
      case KEY_ENTER: queue.PushKey(0, kKeyEnter, U'\r'); break;
      default: break;
    }
    return true;
  }
  switch (key) {
    case L'\n': queue.PushKey(0, kKeyEnter, U'\r'); break;
    case 127: queue.PushKey(0, kKeyBackspace, U'\b'); break;
    default:
      if (key >= 0x20 || key == L'\t' || key == L'\r' || key == L'\b' || key == 0x1B) {
        const char32_t character = static_cast<char32_t>(key);
        queue.PushKey(0, VirtualKeyOf(character), character);
      }
      break;
  }
  return true;
}

// A click: on a control, an item of the open list, or beside the list.
void TerminalBackend::Pointer(InputQueue& queue) {
  MEVENT event{};
  if (getmouse(&event) != OK || (event.bstate & (BUTTON1_PRESSED | BUTTON1_CLICKED)) == 0) return;
  const PointerArea* hit = nullptr;
  for (const PointerArea& area : painted_.areas) {
    if (event.y >= area.row && event.y < area.row + area.height && event.x >= area.column &&
        event.x < area.column + area.width) {
      hit = &area;
    }
  }
  InputEvent input;
  if (state_->list != 0 && (hit == nullptr || hit->item < 0)) {
    input.kind = InputEvent::Kind::kCloseList;
    queue.Push(input);
    return;
  }
  if (hit == nullptr) return;
  const Control& control = *model_->Find(hit->control);
  input.control = control.id;
  input.item = hit->item;
  if (hit->item >= 0) {
    input.kind = InputEvent::Kind::kChoose;
    queue.Push(input);
    input.kind = InputEvent::Kind::kCloseList;
  } else if (control.kind == ControlKind::kEdit) {
    input.kind = InputEvent::Kind::kPlaceCaret;
    input.item = CharacterAt(control, *hit, event.x);
  } else if (control.kind == ControlKind::kCombo) {
    input.kind = InputEvent::Kind::kOpenList;
  } else {
    input.kind = InputEvent::Kind::kClick;
  }
  queue.Push(input);
}

std::unique_ptr<Backend> MakeTerminalBackend(const LibrarySettings&, const HostServices& host) {
  return std::make_unique<TerminalBackend>(host);
}

}  // namespace VelumFab
