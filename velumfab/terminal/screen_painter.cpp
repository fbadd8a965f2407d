#include "velumfab/terminal/screen_painter.h"

#include <algorithm>

#include "platform/character_width.h"
#include "velumfab/core/text_layout.h"
#include "velumfab/terminal/terminal_texts.h"

namespace VelumFab {

namespace {

// The longest start of `text` that fits in `cells`.
std::u32string_view FitCells(std::u32string_view text, int cells) {
  std::size_t length = 0;
  for (int used = 0; length < text.size(); ++length) {
    used += CharacterCells(text[length]);
    if (used > cells) break;
  }
  return text.substr(0, length);
}

std::u32string Padded(std::u32string_view text, int cells) {
  const std::u32string_view fitted = FitCells(text, cells);
  return std::u32string(fitted) + std::u32string(static_cast<std::size_t>(std::max(0, cells - TextCells(fitted))), U' ');
}

std::u32string Centered(std::u32string_view text, int cells) {
  const std::u32string_view fitted = FitCells(text, cells);
  const int spare = cells - TextCells(fitted);
  return std::u32string(static_cast<std::size_t>(spare / 2), U' ') + std::u32string(fitted) +
         std::u32string(static_cast<std::size_t>(spare - spare / 2), U' ');
}

// `text` broken into lines of at most `cells`, at line feeds and wherever a
// line is full.
std::vector<std::u32string> WrapCells(std::u32string_view text, int cells) {
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
  return lines;
}

int MeasureCells(std::u32string_view text, const TextRun&) { return TextCells(text); }

std::vector<RichLine> RichLines(const Control& label) { return BreakRichText(label.rich, label.width, MeasureCells); }

// The first character an edit's field shows: its text's start, or as far on
// as the caret needs to stay inside the field.
int FirstShown(const Control& edit, int inside) {
  const std::u32string_view shown = edit.shown;
  const int caret = std::clamp(edit.caret, 0, static_cast<int>(shown.size()));
  int first = 0;
  while (first < caret && TextCells(shown.substr(static_cast<std::size_t>(first),
                                                 static_cast<std::size_t>(caret - first))) > inside - 1) {
    ++first;
  }
  return first;
}

class FramePainter {
 public:
  FramePainter(const ControlModel& model, const UiState& state, Canvas& canvas, const Control& frame,
               const FrameArrangement& arrangement, PaintedScreen& painted)
      : model_(model), state_(state), canvas_(canvas), frame_(frame), arrangement_(arrangement), painted_(painted),
        origin_(FrameOrigin(frame.width, arrangement.height, canvas)), in_front_(state.Front() == frame.id) {}

  void Paint() {
    PaintBox(origin_.row, origin_.column, frame_.width, arrangement_.height, frame_.shown);
    for (const Control& control : model_.Controls()) {
      if (control.frame != frame_.id || control.id == frame_.id || !control.visible) continue;
      PaintControl(control);
    }
  }

  void PaintList(const Control& combo) {
    const int rows = static_cast<int>(combo.items.size()) + 2;
    const Cell at = At(combo);
    int top = at.row + 1;
    if (top + rows > canvas_.Rows()) top = std::max(0, at.row - rows);
    PaintBox(top, at.column, combo.width, rows, U"");
    for (std::size_t i = 0; i < combo.shown_items.size(); ++i) {
      CellLook look;
      look.reverse = static_cast<int>(i) == state_.list_cursor;
      const int row = top + 1 + static_cast<int>(i);
      canvas_.Put(row, at.column + 1, Padded(combo.shown_items[i], combo.width - 2), look);
      Area(row, at.column + 1, combo.width - 2, 1, combo.id, static_cast<int>(i));
    }
  }

 private:
  Cell At(const Control& control) const {
    return Cell{origin_.row + arrangement_.row.at(control.id), origin_.column + control.x};
  }

  void Area(int row, int column, int width, int height, int control, int item = -1, int first_shown = 0) {
    if (in_front_) painted_.areas.push_back(PointerArea{row, column, width, height, control, item, first_shown});
  }

  void PaintBox(int top, int left, int width, int height, std::u32string_view title) {
    const CellLook plain;
    canvas_.Put(top, left, U"┌" + std::u32string(static_cast<std::size_t>(width - 2), U'─') + U"┐", plain);
    for (int row = 1; row < height - 1; ++row) {
      canvas_.Put(top + row, left, U"│" + std::u32string(static_cast<std::size_t>(width - 2), U' ') + U"│", plain);
    }
    canvas_.Put(top + height - 1, left, U"└" + std::u32string(static_cast<std::size_t>(width - 2), U'─') + U"┘", plain);
    if (title.empty()) return;
    const std::u32string shown(FitCells(U" " + std::u32string(title) + U" ", width - 4));
    canvas_.Put(top, left + (width - TextCells(shown)) / 2, shown, plain);
  }

  bool Focused(const Control& control) const { return in_front_ && state_.Focus() == control.id; }

  void PaintControl(const Control& control) {
    const Cell at = At(control);
    const int rows = arrangement_.rows.at(control.id);
    CellLook look;
    look.reverse = Focused(control);
    switch (control.kind) {
      case ControlKind::kLabel: {
        look.underline = control.clickable;
        const auto lines = WrapCells(control.shown, control.width);
        for (int i = 0; i < rows && i < static_cast<int>(lines.size()); ++i) {
          canvas_.Put(at.row + i, at.column, lines[static_cast<std::size_t>(i)], look);
        }
        if (control.clickable) Area(at.row, at.column, control.width, rows, control.id);
        break;
      }
      case ControlKind::kRichLabel: PaintRich(control, at, rows); break;
      case ControlKind::kEdit: {
        const int inside = control.width - 2;
        const int first = FirstShown(control, inside);
        const std::u32string_view from_first = std::u32string_view(control.shown).substr(static_cast<std::size_t>(first));
        canvas_.Put(at.row, at.column, U"[", CellLook{});
        CellLook field = look;
        field.underline = true;
        field.bold = control.selected;
        canvas_.Put(at.row, at.column + 1, Padded(from_first, inside), field);
        canvas_.Put(at.row, at.column + 1 + inside, U"]", CellLook{});
        Area(at.row, at.column, control.width, 1, control.id, -1, first);
        if (Focused(control)) {
          const std::size_t caret = static_cast<std::size_t>(std::max(0, control.caret - first));
          painted_.caret = Cell{at.row, at.column + 1 + TextCells(from_first.substr(0, caret))};
        }
        break;
      }
      case ControlKind::kCombo: {
        const std::u32string& shown = control.selection >= 0
                                          ? control.shown_items[static_cast<std::size_t>(control.selection)]
                                          : control.shown;
        canvas_.Put(at.row, at.column, U"[", CellLook{});
        canvas_.Put(at.row, at.column + 1, Padded(shown, control.width - 4) + U" v", look);
        canvas_.Put(at.row, at.column + control.width - 1, U"]", CellLook{});
        Area(at.row, at.column, control.width, 1, control.id);
        break;
      }
      case ControlKind::kButton:
        canvas_.Put(at.row, at.column, U"<", look);
        canvas_.Put(at.row, at.column + 1, Centered(control.shown, control.width - 2), look);
        canvas_.Put(at.row, at.column + control.width - 1, U">", look);
        Area(at.row, at.column, control.width, 1, control.id);
        break;
      case ControlKind::kDialog:
      case ControlKind::kPanel: break;
    }
  }

  // The lines the core broke the text into, each run in its own look; a
  // text with more lines than the label has rows ends in a mark.
  void PaintRich(const Control& control, Cell at, int rows) {
    std::vector<RichLine> lines = RichLines(control);
    const bool cut = static_cast<int>(lines.size()) > rows;
    for (int i = 0; i < rows && i < static_cast<int>(lines.size()); ++i) {
      for (const PlacedText& piece : lines[static_cast<std::size_t>(i)]) {
        CellLook look;
        look.bold = piece.look->bold;
        look.color = piece.look->color;
        canvas_.Put(at.row + i, at.column + piece.x, piece.text, look);
      }
    }
    if (cut) canvas_.Put(at.row + rows - 1, at.column + control.width - 1, std::u32string(1, kCutMark), CellLook{});
  }

  const ControlModel& model_;
  const UiState& state_;
  Canvas& canvas_;
  const Control& frame_;
  const FrameArrangement& arrangement_;
  PaintedScreen& painted_;
  Cell origin_;
  bool in_front_;
};

FrameArrangement Arrange(const ControlModel& model, int frame, const Canvas& canvas) {
  return ArrangeFrame(model, frame, [](const Control& label) { return static_cast<int>(RichLines(label).size()); },
                      canvas.Rows());
}

void PaintNotice(std::u32string_view text, Canvas& canvas) {
  const std::vector<std::u32string> lines = WrapCells(text, canvas.Columns());
  for (std::size_t i = 0; i < lines.size(); ++i) canvas.Put(static_cast<int>(i), 0, lines[i], CellLook{});
}

}  // namespace

Cell FrameOrigin(int width, int height, const Canvas& canvas) {
  return Cell{std::max(0, (canvas.Rows() - height) / 2), std::max(0, (canvas.Columns() - width) / 2)};
}

PaintedScreen PaintScreen(const ControlModel& model, const UiState& state, Canvas& canvas) {
  PaintedScreen painted;
  canvas.Clear();
  std::vector<FrameArrangement> arrangements;
  for (const OpenFrame& open : state.frames) {
    const Control& frame = *model.Find(open.id);
    arrangements.push_back(Arrange(model, open.id, canvas));
    if (frame.width > canvas.Columns() || arrangements.back().height > canvas.Rows()) {
      canvas.Clear();
      PaintNotice(TooSmallNotice(frame.width, arrangements.back().height, canvas.Columns(), canvas.Rows()), canvas);
      painted.too_small = true;
      return painted;
    }
  }
  for (std::size_t i = 0; i < state.frames.size(); ++i) {
    const int id = state.frames[i].id;
    painted.caret.reset();  // only the window in front has one
    FramePainter painter(model, state, canvas, *model.Find(id), arrangements[i], painted);
    painter.Paint();
    if (const Control* combo = model.Find(state.list); combo != nullptr && combo->frame == id && id == state.Front()) {
      painter.PaintList(*combo);
      painted.caret.reset();
    }
  }
  if (state.busy) {
    CellLook look;
    look.reverse = true;
    canvas.Put(canvas.Rows() - 1, 0, Padded(kBusyLine, canvas.Columns()), look);
  }
  return painted;
}

}  // namespace VelumFab
