#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "velumfab/core/rich_text.h"

namespace VelumFab {

enum class ControlKind { kDialog, kPanel, kLabel, kRichLabel, kEdit, kButton, kCombo };

// What a built-in action of a button does after its click reached the sink.
enum class ButtonAction { kNone, kClosePanel };

// One control of a layout. Positions and sizes are in character cells: a
// terminal draws them as they are, a window scales them.
struct Control {
  int id = 0;
  std::string name;
  ControlKind kind = ControlKind::kLabel;
  int frame = 0;  // the dialog or panel it sits on (its own id for a frame)
  int owner = 0;  // the dialog it belongs to, panels and their controls included
  int x = 0, y = 0, width = 0, height = 1;
  std::string text;  // code page 936: caption, label or edit text, rich label markup, combo placeholder
  std::u32string shown;  // what `text` shows (for a rich label: its runs' `shown`)
  int caret = 0;          // edit: the caret stands before this character of `shown`
  bool selected = false;  // edit: all of its text is selected, so typing replaces it
  bool visible = true;
  bool clickable = false;  // a label that sends clicks and takes the focus
  ButtonAction action = ButtonAction::kNone;
  std::vector<std::string> items;  // combo box
  std::vector<std::u32string> shown_items;
  int selection = -1;              // combo box
  RichText rich;                   // rich label: `text` parsed
  std::optional<std::uint32_t> color;  // rich label: colour set through ApplyParams (COLORREF)
  std::string cancel;  // frame: the control whose click Esc or the window's close box stands for
  int source_line = 0;  // where the layout file defines it
};

// The controls of a loaded layout, in layout order: the one source of truth
// for what every backend shows. Ids start at 1; 0 is no control.
class ControlModel {
 public:
  void Add(Control control);

  Control* Find(int id);
  const Control* Find(int id) const;
  int IdOf(const std::string& name) const;  // 0 when there is none
  const std::vector<Control>& Controls() const { return controls_; }
  std::vector<Control>& Controls() { return controls_; }

  // The controls of `frame` that take the focus now (visible edits, combo
  // boxes, buttons and clickable labels), in layout order.
  std::vector<int> FocusOrder(int frame) const;
  // The control after (or before) `current` in that order, wrapping round;
  // the first one when `current` is not in it; 0 when none takes the focus.
  int NextInFocusOrder(int frame, int current, bool backwards) const;

 private:
  std::vector<Control> controls_;
  std::map<std::string, int> ids_;
};

bool IsFrame(ControlKind kind);
bool TakesFocus(const Control& control);
const char* KindName(ControlKind kind);

}  // namespace VelumFab
