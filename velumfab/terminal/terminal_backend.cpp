#include "velumfab/terminal/terminal_backend.h"

#include <ncursesw/curses.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cwchar>
#include <exception>
#include <map>

#include "platform/posix/terminal_session.h"
#include "platform/text_encoding.h"
#include "velumfab/backends.h"
#include "velumfab/terminal/terminal_colors.h"
#include "velumfab/terminal/text_cells.h"

namespace VelumFab {

namespace {

constexpr int kEscapeDelayMilliseconds = 25;

std::string g_previous_locale;
bool g_screen_open = false;
std::terminate_handler g_previous_terminate = nullptr;

// Gives the terminal back: leaves curses mode and the UTF-8 locale.
void RestoreTerminal() {
  if (!g_screen_open) return;
  g_screen_open = false;
  endwin();
  RestoreCharacterLocale(g_previous_locale);
}

[[noreturn]] void RestoreAndTerminate() {
  RestoreTerminal();
  if (g_previous_terminate != nullptr) g_previous_terminate();
  std::abort();
}

class CursesCanvas final : public Canvas {
 public:
  int Rows() const override { return LINES; }
  int Columns() const override { return COLS; }
  void Clear() override { erase(); }

  void Put(int row, int column, const std::string& utf8, const CellLook& look) override {
    if (row < 0 || row >= LINES || column < 0 || column >= COLS) return;
    attr_t attributes = A_NORMAL;
    if (look.reverse) attributes |= A_REVERSE;
    if (look.underline) attributes |= A_UNDERLINE;
    if (look.bold) attributes |= A_BOLD;
    if (look.color && has_colors()) attributes |= COLOR_PAIR(PairFor(*look.color));
    attrset(attributes);
    const std::string fitted = FitCells(utf8, COLS - column);
    mvaddstr(row, column, fitted.c_str());
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

}  // namespace

TerminalBackend::TerminalBackend(const HostServices& host) : host_(host) {}

TerminalBackend::~TerminalBackend() { Stop(); }

bool TerminalBackend::Start(const ControlModel& model, std::string& reason) {
  model_ = &model;
  if (!StandardStreamsAreTerminals()) {
    reason = "standard input or output is not a terminal";
    return false;
  }
  g_previous_locale = UseUtf8CharacterLocale();
  if (g_previous_locale.empty()) {
    reason = "no UTF-8 locale is installed";
    return false;
  }
  // Ours before curses sets up, so that curses leaves them to us and a
  // signal still ends the process as a signal.
  RestoreOnTerminationSignals(RestoreTerminal);
  if (newterm(nullptr, stdout, stdin) == nullptr) {
    StopRestoringOnSignals();
    RestoreCharacterLocale(g_previous_locale);
    const char* terminal = std::getenv("TERM");
    reason = "the terminal cannot be set up (TERM=" + std::string(terminal == nullptr ? "" : terminal) + ")";
    return false;
  }
  g_screen_open = true;
  g_previous_terminate = std::set_terminate(RestoreAndTerminate);
  running_ = true;
  cbreak();
  noecho();
  nonl();
  keypad(stdscr, TRUE);
  set_escdelay(kEscapeDelayMilliseconds);
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
  StopRestoringOnSignals();
  std::set_terminate(g_previous_terminate);
}

void TerminalBackend::FrameOpened(int frame) {
  state_.open_frames.push_back(frame);
  Repaint();
}

void TerminalBackend::FrameClosed(int frame) {
  auto& frames = state_.open_frames;
  frames.erase(std::remove(frames.begin(), frames.end(), frame), frames.end());
  state_.list_of = 0;
  Repaint();
}

void TerminalBackend::ControlChanged(int, Change) { Repaint(); }

void TerminalBackend::FocusChanged(int control) {
  state_.focus = control;
  Repaint();
}

void TerminalBackend::Repaint() {
  if (!running_) return;
  const std::optional<Cursor> caret = PaintScreen(*model_, state_, TheCanvas());
  curs_set(caret ? 1 : 0);
  if (caret) move(caret->row, caret->column);
  refresh();
}

std::optional<InputEvent> TerminalBackend::NextInput() {
  while (queued_.empty()) {
    if (!running_ || !ReadKey()) return std::nullopt;
  }
  InputEvent input = queued_.front();
  queued_.pop_front();
  return input;
}

void TerminalBackend::Press(unsigned key, const std::string& character, bool shift) {
  if (state_.list_of != 0) {
    ListKey(key);
    return;
  }
  const Control* focused = model_->Find(state_.focus);
  if (focused != nullptr && focused->kind == ControlKind::kCombo && (key == kKeyEnter || key == kKeySpace)) {
    state_.list_of = focused->id;
    state_.list_cursor = std::max(0, focused->selection);
    Repaint();
    return;
  }
  for (const InputEvent& event : KeyPress(0, key, character, shift)) queued_.push_back(event);
}

// Keys while a combo box's list is open: they move in the list, choose, or
// close it, and reach nothing else.
void TerminalBackend::ListKey(unsigned key) {
  const Control* combo = model_->Find(state_.list_of);
  const int count = combo == nullptr ? 0 : static_cast<int>(combo->items.size());
  if (key == kKeyUp || key == kKeyDown) {
    if (count > 0) state_.list_cursor = (state_.list_cursor + (key == kKeyDown ? 1 : count - 1)) % count;
  } else if (key == kKeyEnter || key == kKeySpace) {
    InputEvent choice;
    choice.kind = InputEvent::Kind::kChoose;
    choice.control = state_.list_of;
    choice.item = state_.list_cursor;
    if (count > 0) queued_.push_back(choice);
    state_.list_of = 0;
  } else if (key == kKeyEscape || key == kKeyTab) {
    state_.list_of = 0;
  }
  Repaint();
}

bool TerminalBackend::ReadKey() {
  wint_t key = 0;
  const int kind = get_wch(&key);
  if (kind == ERR) return false;
  if (kind == KEY_CODE_YES) {
    switch (key) {
      case KEY_BTAB: Press(kKeyTab, "\t", true); break;
      case KEY_UP: Press(kKeyUp, ""); break;
      case KEY_DOWN: Press(kKeyDown, ""); break;
      case KEY_LEFT: Press(kKeyLeft, ""); break;
      case KEY_RIGHT: Press(kKeyRight, ""); break;
      case KEY_BACKSPACE: Press(kKeyBackspace, "\b"); break;
      case KEY_ENTER: Press(kKeyEnter, "\r"); break;
      case KEY_RESIZE: Repaint(); break;
      default: break;
    }
    return true;
  }
  switch (key) {
    case L'\t': Press(kKeyTab, "\t"); return true;
    case L'\r':
    case L'\n': Press(kKeyEnter, "\r"); return true;
    case 27: Press(kKeyEscape, "\x1b"); return true;
    case 8:
    case 127: Press(kKeyBackspace, "\b"); return true;
    default: break;
  }
  if (key < 0x20) return true;
  char utf8[MB_LEN_MAX] = {};
  std::mbstate_t state{};
  const std::size_t length = std::wcrtomb(utf8, static_cast<wchar_t>(key), &state);
  if (length == static_cast<std::size_t>(-1)) return true;
  const std::string character = Cp936FromUtf8(std::string(utf8, length));
  Press(VirtualKeyOf(character), character);
  return true;
}

const char kNativeBackendName[] = "terminal";

std::unique_ptr<Backend> MakeNativeBackend(const LibrarySettings&, const HostServices& host) {
  return std::make_unique<TerminalBackend>(host);
}

}  // namespace VelumFab
