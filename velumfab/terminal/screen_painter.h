#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "velumfab/core/control_model.h"

namespace VelumFab {

// How a stretch of cells looks.
struct CellLook {
  bool reverse = false;    // the focus
  bool underline = false;  // fields and clickable labels
  bool bold = false;
  std::optional<std::uint32_t> color;  // COLORREF
};

// Where the painter draws: rows and columns of a terminal, text in UTF-8.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual int Rows() const = 0;
  virtual int Columns() const = 0;
  virtual void Clear() = 0;
  // Draws `utf8` from (row, column); what falls outside is cut.
  virtual void Put(int row, int column, const std::string& utf8, const CellLook& look) = 0;
};

// What the screen shows beyond the model: the windows open (innermost
// last), the focus, and a combo box's list while it is open.
struct ScreenState {
  std::vector<int> open_frames;
  int focus = 0;
  int list_of = 0;      // the combo box whose list is open, or 0
  int list_cursor = 0;  // the highlighted item of that list
};

struct Cursor {
  int row = 0;
  int column = 0;
};

// Paints the open windows, each centred on the canvas, with their controls.
// Returns where the caret goes (the end of the focused edit), or nothing.
// A canvas too small for a window shows a message saying so instead.
std::optional<Cursor> PaintScreen(const ControlModel& model, const ScreenState& state, Canvas& canvas);

// The top-left cell of `frame` on a canvas of that size.
Cursor FrameOrigin(const Control& frame, int rows, int columns);

}  // namespace VelumFab
