#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "velumfab/core/control_model.h"
#include "velumfab/core/ui_state.h"

namespace VelumFab {

// How a stretch of cells looks.
struct CellLook {
  bool reverse = false;    // the focus
  bool underline = false;  // fields and clickable labels
  bool bold = false;
  std::optional<std::uint32_t> color;  // COLORREF
};

// Where the painter draws: rows and columns of a terminal.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual int Rows() const = 0;
  virtual int Columns() const = 0;
  virtual void Clear() = 0;
  // Draws `text` from (row, column); what falls outside is cut.
  virtual void Put(int row, int column, std::u32string_view text, const CellLook& look) = 0;
};

struct Cell {
  int row = 0;
  int column = 0;
};

// A place on the screen the pointer acts on: a control, or an item of the
// open list.
struct PointerArea {
  int row = 0, column = 0, width = 0, height = 1;
  int control = 0;
  int item = -1;         // an item of the open list, or -1
  int first_shown = 0;   // an edit: the character its field begins with
};

// What a paint left on the screen.
struct PaintedScreen {
  std::optional<Cell> caret;        // where the caret goes: in the focused edit
  std::vector<PointerArea> areas;   // later areas lie over earlier ones
  bool too_small = false;           // a notice stands instead of the windows
};

// Paints the open windows, each centred on the canvas, with their controls;
// an open list over them, and while the program is at work a line saying
// so. A canvas too small for a window shows a notice instead.
PaintedScreen PaintScreen(const ControlModel& model, const UiState& state, Canvas& canvas);

// The top-left cell of a window `width` by `height` on the canvas.
Cell FrameOrigin(int width, int height, const Canvas& canvas);

}  // namespace VelumFab
