#include "velumfab/terminal/screen_painter.h"

#include <algorithm>

#include "platform/text_encoding.h"
#include "velumfab/terminal/terminal_texts.h"
#include "velumfab/terminal/text_cells.h"

namespace VelumFab {

namespace {

std::string Repeat(const std::string& piece, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

std::string Padded(const std::string& utf8, int cells) {
  const std::string fitted = FitCells(utf8, cells);
  return fitted + std::string(static_cast<std::size_t>(std::max(0, cells - CellWidth(fitted))), ' ');
}

std::string Centered(const std::string& utf8, int cells) {
  const std::string fitted = FitCells(utf8, cells);
  const int spare = cells - CellWidth(fitted);
  return std::string(static_cast<std::size_t>(spare / 2), ' ') + fitted +
         std::string(static_cast<std::size_t>(spare - spare / 2), ' ');
}

class FramePainter {
 public:
  FramePainter(const ControlModel& model, const ScreenState& state, Canvas& canvas, const Control& frame)
      : model_(model), state_(state), canvas_(canvas), frame_(frame),
        origin_(FrameOrigin(frame, canvas.Rows(), canvas.Columns())),
        in_front_(!state.open_frames.empty() && state.open_frames.back() == frame.id) {}

  std::optional<Cursor> Paint() {
    PaintBox(origin_.row, origin_.column, frame_.width, frame_.height, Utf8FromCp936(frame_.text));
    std::optional<Cursor> cursor;
    for (const Control& control : model_.Controls()) {
      if (control.frame != frame_.id || control.id == frame_.id || !control.visible) continue;
      if (auto at = PaintControl(control)) cursor = at;
    }
    return cursor;
  }

  void PaintList(const Control& combo) {
    const int rows = static_cast<int>(combo.items.size()) + 2;
    int top = origin_.row + combo.y + 1;
    if (top + rows > canvas_.Rows()) top = std::max(0, origin_.row + combo.y - rows);
    const int left = origin_.column + combo.x;
    PaintBox(top, left, combo.width, rows, "");
    for (std::size_t i = 0; i < combo.items.size(); ++i) {
      CellLook look;
      look.reverse = static_cast<int>(i) == state_.list_cursor;
      canvas_.Put(top + 1 + static_cast<int>(i), left + 1, Padded(Utf8FromCp936(combo.items[i]), combo.width - 2), look);
    }
  }

 private:
  void PaintBox(int top, int left, int width, int height, const std::string& title) {
    const CellLook plain;
    canvas_.Put(top, left, "\u250C" + Repeat("\u2500", width - 2) + "\u2510", plain);
    for (int row = 1; row < height - 1; ++row) {
      canvas_.Put(top + row, left, "\u2502" + std::string(static_cast<std::size_t>(width - 2), ' ') + "\u2502", plain);
    }
    canvas_.Put(top + height - 1, left, "\u2514" + Repeat("\u2500", width - 2) + "\u2518", plain);
    if (title.empty()) return;
    const std::string shown = FitCells(" " + title + " ", width - 4);
    canvas_.Put(top, left + (width - CellWidth(shown)) / 2, shown, plain);
  }

  bool Focused(const Control& control) const { return in_front_ && state_.focus == control.id; }

  std::optional<Cursor> PaintControl(const Control& control) {
    const int row = origin_.row + control.y;
    const int column = origin_.column + control.x;
    CellLook look;
    look.reverse = Focused(control);
    switch (control.kind) {
      case ControlKind::kLabel: {
        look.underline = control.clickable;
        const auto lines = WrapCells(Utf8FromCp936(control.text), control.width);
        for (int i = 0; i < control.height && i < static_cast<int>(lines.size()); ++i) {
          canvas_.Put(row + i, column, lines[static_cast<std::size_t>(i)], look);
        }
        return std::nullopt;
      }
      case ControlKind::kRichLabel: PaintRich(control, row, column); return std::nullopt;
      case ControlKind::kEdit: {
        const int inside = control.width - 2;
        const std::string text = LastCells(Utf8FromCp936(control.text), inside - 1);
        canvas_.Put(row, column, "[", CellLook{});
        CellLook field = look;
        field.underline = true;
        field.bold = control.selected;
        canvas_.Put(row, column + 1, Padded(text, inside), field);
        canvas_.Put(row, column + 1 + inside, "]", CellLook{});
        if (Focused(control)) return Cursor{row, column + 1 + CellWidth(text)};
        return std::nullopt;
      }
      case ControlKind::kCombo: {
        const std::string shown = control.selection >= 0
                                      ? control.items[static_cast<std::size_t>(control.selection)]
                                      : control.text;
        canvas_.Put(row, column, "[", CellLook{});
        canvas_.Put(row, column + 1, Padded(Utf8FromCp936(shown), control.width - 4) + " v", look);
        canvas_.Put(row, column + control.width - 1, "]", CellLook{});
        return std::nullopt;
      }
      case ControlKind::kButton:
        canvas_.Put(row, column, "<" + Centered(Utf8FromCp936(control.text), control.width - 2) + ">", look);
        return std::nullopt;
      case ControlKind::kDialog:
      case ControlKind::kPanel: return std::nullopt;
    }
    return std::nullopt;
  }

  // Lays the runs out character by character, each in its own look,
  // breaking lines where the label is full or the text has a line feed.
  void PaintRich(const Control& control, int top, int left) {
    int line = 0;
    int used = 0;
    for (const TextRun& run : control.rich) {
      CellLook look;
      look.bold = run.bold;
      look.color = run.color;
      std::string utf8 = Utf8FromCp936(run.text);
      while (!utf8.empty() && line < control.height) {
        if (utf8[0] == '\n') {
          utf8.erase(0, 1);
          ++line;
          used = 0;
          continue;
        }
        const std::size_t feed = utf8.find('\n');
        const std::string segment = utf8.substr(0, feed);
        std::string fits = FitCells(segment, control.width - used);
        // Punctuation that closes a phrase takes the character before it to
        // the next line rather than start that line alone.
        const bool full = fits.size() < segment.size();
        if (full && StartsWithClosingPunctuation(segment.substr(fits.size())) && !WithoutLastCharacter(fits).empty()) {
          fits = WithoutLastCharacter(fits);
        }
        if (fits.empty()) {
          if (used == 0) break;  // not even one character fits an empty line
          ++line;
          used = 0;
          continue;
        }
        canvas_.Put(top + line, left + used, fits, look);
        used = full ? control.width : used + CellWidth(fits);
        utf8.erase(0, fits.size());
      }
    }
  }

  const ControlModel& model_;
  const ScreenState& state_;
  Canvas& canvas_;
  const Control& frame_;
  Cursor origin_;
  bool in_front_;
};

}  // namespace

Cursor FrameOrigin(const Control& frame, int rows, int columns) {
  return Cursor{std::max(0, (rows - frame.height) / 2), std::max(0, (columns - frame.width) / 2)};
}

std::optional<Cursor> PaintScreen(const ControlModel& model, const ScreenState& state, Canvas& canvas) {
  canvas.Clear();
  for (int id : state.open_frames) {
    const Control* frame = model.Find(id);
    if (frame == nullptr) continue;
    if (frame->width > canvas.Columns() || frame->height > canvas.Rows()) {
      canvas.Clear();
      for (std::size_t i = 0; i < kTooSmallLines; ++i) {
        canvas.Put(static_cast<int>(i), 0, TooSmallLine(i, frame->width, frame->height, canvas.Columns(), canvas.Rows()),
                   CellLook{});
      }
      return std::nullopt;
    }
  }
  std::optional<Cursor> cursor;
  for (int id : state.open_frames) {
    FramePainter painter(model, state, canvas, *model.Find(id));
    cursor = painter.Paint();
    if (id == state.open_frames.back()) {
      if (const Control* combo = model.Find(state.list_of); combo != nullptr && combo->frame == id) {
        painter.PaintList(*combo);
        cursor.reset();
      }
    }
  }
  return cursor;
}

}  // namespace VelumFab
