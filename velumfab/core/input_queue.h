#pragma once

#include <deque>
#include <string_view>

namespace VelumFab {

// Virtual keys the library acts on (Windows' numbering).
constexpr unsigned kKeyBackspace = 8;
constexpr unsigned kKeyTab = 9;
constexpr unsigned kKeyEnter = 13;
constexpr unsigned kKeyEscape = 27;
constexpr unsigned kKeySpace = 32;
constexpr unsigned kKeyEnd = 35;
constexpr unsigned kKeyHome = 36;
constexpr unsigned kKeyLeft = 37;
constexpr unsigned kKeyUp = 38;
constexpr unsigned kKeyRight = 39;
constexpr unsigned kKeyDown = 40;
constexpr unsigned kKeyDelete = 46;

// One piece of the player's input, as a backend reads it. Key presses come
// as key down, the character typed (Unicode; Tab, Enter, Backspace and Esc
// as their control characters) and key up, like window messages; pointer
// and list actions come whole.
struct InputEvent {
  enum class Kind {
    kKeyDown, kCharacter, kKeyUp,
    kClick,      // a button or clickable label
    kFocus,      // the control takes the focus
    kPlaceCaret, // the edit takes the focus with its caret before character `item`
    kOpenList,   // a combo box's list opens
    kMoveInList, // the highlighted item of the open list becomes `item`
    kChoose,     // a combo box's item `item` is chosen
    kCloseList,  // the open list closes without a choice
    kCancel,     // the window in front's close box, or Esc
  };
  Kind kind = Kind::kClick;
  int control = 0;   // the control it is aimed at; for keys 0 means the focused one
  unsigned key = 0;  // kKeyDown, kKeyUp: the virtual key
  bool shift = false;
  char32_t character = 0;  // kCharacter
  int item = -1;
};

// The virtual key that types `character` on a plain keyboard: letters,
// digits, space and the control characters of Tab, Enter, Backspace and
// Esc; 0 for every other character.
unsigned VirtualKeyOf(char32_t character);

// The player's input in the order it came, held by the core; backends push.
// While the program is at work on an event the queue takes nothing: what the
// player does meanwhile is dropped, not replayed afterwards.
class InputQueue {
 public:
  void Push(const InputEvent& input);
  // Key down, the character (unless 0) and key up of one key.
  void PushKey(int control, unsigned key, char32_t character, bool shift = false);
  // Each character a key press, aimed at `control`.
  void PushText(int control, std::u32string_view text);

  bool Empty() const { return events_.empty(); }
  InputEvent Pop();
  void Clear() { events_.clear(); }
  void Accept(bool accepting) { accepting_ = accepting; }

 private:
  std::deque<InputEvent> events_;
  bool accepting_ = true;
};

}  // namespace VelumFab
