#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace VelumFab {

// One step of a script for the script backend. A script is UTF-8 text, one
// step per line; blank lines and lines starting with "#" are skipped:
//   type CONTROL TEXT        types TEXT (the rest of the line) into CONTROL, key by key
//   copy LABEL EDIT          types into EDIT the text that LABEL shows now
//   choose COMBO N           chooses item N (from 0) of a combo box
//   click CONTROL            clicks a button or a clickable label
//   key CONTROL KEY          presses KEY in CONTROL: Tab, Shift-Tab, Enter, Esc, Space,
//                            Backspace, Delete, Up, Down, Left, Right, Home, End
//   close                    the close box of the window in front
//   expect CONDITION         fails the run unless CONDITION holds:
//     visible NAME | hidden NAME | focus NAME | open FRAME | closed FRAME
//     text NAME TEXT | contains NAME TEXT | color NAME 0xBBGGRR | selection NAME N
//   end                      ends the run: every open window closes
struct ScriptStep {
  enum class Kind { kType, kCopy, kChoose, kClick, kKey, kClose, kExpect, kEnd };
  enum class Condition { kVisible, kHidden, kFocus, kOpen, kClosed, kText, kContains, kColor, kSelection };

  Kind kind = Kind::kEnd;
  int line = 0;
  std::string source;   // the line as written
  std::string control;  // the control acted on or looked at
  std::string edit;     // copy: the edit typed into
  std::u32string text;  // type, expect text/contains
  unsigned key = 0;     // key: the virtual key
  bool shift = false;
  int number = 0;  // choose, expect selection: the item; expect color: the colour
  Condition condition = Condition::kVisible;
};

struct ScriptReading {
  std::vector<ScriptStep> steps;
  std::string error;  // "file:line: what", when the script cannot be played
};

ScriptReading ReadScript(std::string_view text, const std::string& file_name);

// Scripts larger than this are refused.
constexpr std::size_t kMaxScriptBytes = 1 << 20;

}  // namespace VelumFab
