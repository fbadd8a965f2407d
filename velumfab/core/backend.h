#pragma once

#include <optional>
#include <string>
#include <vector>

#include "velumfab/core/control_model.h"

namespace VelumFab {

// Virtual keys the library acts on (Windows' numbering).
constexpr unsigned kKeyBackspace = 8;
constexpr unsigned kKeyTab = 9;
constexpr unsigned kKeyEnter = 13;
constexpr unsigned kKeyEscape = 27;
constexpr unsigned kKeySpace = 32;
constexpr unsigned kKeyLeft = 37;
constexpr unsigned kKeyUp = 38;
constexpr unsigned kKeyRight = 39;
constexpr unsigned kKeyDown = 40;

// One piece of the player's input, as a backend reads it. Key presses come
// as key down, the character typed (if any) and key up, like window
// messages; pointer and list actions come whole.
struct InputEvent {
  enum class Kind { kKeyDown, kCharacter, kKeyUp, kClick, kChoose, kFocus, kCancel };
  Kind kind = Kind::kClick;
  int control = 0;   // the control it is aimed at; for keys 0 means the focused one
  unsigned key = 0;  // kKeyDown, kKeyUp: the virtual key
  bool shift = false;
  std::string character;  // kCharacter: one code page 936 character, or one control character
  int item = -1;          // kChoose: the item chosen
};

// The three events of one key press; `character` is empty for keys that
// type nothing (arrows).
std::vector<InputEvent> KeyPress(int control, unsigned key, const std::string& character, bool shift = false);

// The virtual key that types `character` on a plain keyboard: letters,
// digits and the control characters of Tab, Enter, Backspace, Esc and
// Space; 0 for every other character.
unsigned VirtualKeyOf(const std::string& character);

enum class Change { kText, kVisibility, kSelection, kColor };

// An event the library sent to the program, and what the program did.
struct DeliveredEvent {
  int control = 0;
  int code = 0;
  int message = 0;  // 0 for a click
  unsigned key = 0;
  bool handled = false;
  bool had_sink = false;
};

// What a backend does: show the model and hand back the player's input. The
// library's core keeps the model, the focus and the modal loop; a backend
// only draws and reads.
class Backend {
 public:
  virtual ~Backend() = default;

  // Prepares to show `model`, which outlives the backend; false, with the
  // reason, when this backend cannot run here.
  virtual bool Start(const ControlModel& model, std::string& reason) = 0;
  virtual void FrameOpened(int frame) = 0;
  virtual void FrameClosed(int frame) = 0;
  virtual void ControlChanged(int control, Change change) = 0;
  virtual void FocusChanged(int control) = 0;
  // Waits for the next input; nothing once no more input can come.
  virtual std::optional<InputEvent> NextInput() = 0;
  virtual void EventDelivered(const DeliveredEvent&) {}
  virtual void Stop() = 0;
};

}  // namespace VelumFab
