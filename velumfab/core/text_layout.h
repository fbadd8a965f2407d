#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "velumfab/core/control_model.h"

namespace VelumFab {

// A stretch of one look on a laid-out line, from `x` on (in the backend's
// units).
struct PlacedText {
  std::u32string text;
  const TextRun* look = nullptr;
  int x = 0;
};
using RichLine = std::vector<PlacedText>;

// How wide a backend draws `text` in `look`.
using MeasureText = std::function<int(std::u32string_view text, const TextRun& look)>;

// Breaks a rich label's runs into lines at most `width` wide, one rule for
// every backend: at line feeds and where a line is full; a Latin word stays
// whole unless it is wider than a line; punctuation that closes a phrase
// (，。！？、；：and closing brackets and quotes) never starts a line, it
// takes the character before it along; blanks where a line breaks vanish.
std::vector<RichLine> BreakRichText(const RichText& text, int width, const MeasureText& measure);

// Whether `c` is punctuation that must not start a line.
bool ClosesAPhrase(char32_t c);

// Where a window's controls stand once each rich label has the rows its
// text needs: a label that needs more rows than the layout gives it grows,
// the controls below it and the window grow with it, up to `max_height`
// rows for the window. In layout cells.
struct FrameArrangement {
  int height = 0;
  std::map<int, int> row;   // each control's top row
  std::map<int, int> rows;  // each control's height
};
FrameArrangement ArrangeFrame(const ControlModel& model, int frame,
                              const std::function<int(const Control& label)>& rows_needed, int max_height);

}  // namespace VelumFab
