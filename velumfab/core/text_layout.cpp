#include "velumfab/core/text_layout.h"

#include <algorithm>

namespace VelumFab {

namespace {

bool IsBlank(char32_t c) { return c == U' ' || c == U'\t' || c == 0x3000; }
bool IsLatin(char32_t c) { return c > U' ' && c < 0x7F; }

// The next piece that is placed whole: a line feed, a run of blanks, a
// Latin word, or one other character.
std::u32string_view NextToken(std::u32string_view text) {
  std::size_t length = 1;
  if (IsBlank(text[0])) {
    while (length < text.size() && IsBlank(text[length])) ++length;
  } else if (IsLatin(text[0])) {
    while (length < text.size() && IsLatin(text[length])) ++length;
  }
  return text.substr(0, length);
}

class LineBreaker {
 public:
  LineBreaker(int width, const MeasureText& measure) : width_(width), measure_(measure) {}

  void Add(std::u32string_view token, const TextRun& look) {
    if (token == U"\n") return NewLine(false);
    const int width = measure_(token, look);
    if (x_ + width <= width_ || x_ == 0) {
      if (x_ == 0 && wrapped_ && IsBlank(token[0])) return;  // blanks at a break vanish
      if (width > width_ && IsLatin(token[0]) && token.size() > 1) return Split(token, look);
      return Place(token, look, width);
    }
    if (IsBlank(token[0])) return NewLine(true);
    if (ClosesAPhrase(token[0]) && TakeLastCharacterAlong(token, look)) return;
    NewLine(true);
    Add(token, look);
  }

  std::vector<RichLine> Lines() && { return std::move(lines_); }

 private:
  void NewLine(bool wrapped) {
    if (wrapped) DropTrailingBlanks(lines_.back());
    lines_.emplace_back();
    x_ = 0;
    wrapped_ = wrapped;
  }

  static void DropTrailingBlanks(RichLine& line) {
    while (!line.empty() && !line.back().text.empty() && IsBlank(line.back().text.back())) {
      line.back().text.pop_back();
      if (line.back().text.empty()) line.pop_back();
    }
  }

  void Place(std::u32string_view text, const TextRun& look, int width) {
    RichLine& line = lines_.back();
    if (!line.empty() && line.back().look == &look) {
      line.back().text += text;
    } else {
      line.push_back(PlacedText{std::u32string(text), &look, x_});
    }
    x_ += width;
  }

  // A word wider than a line: as many characters as fit on each line.
  void Split(std::u32string_view word, const TextRun& look) {
    while (!word.empty()) {
      std::size_t fits = 1;
      while (fits < word.size() && measure_(word.substr(0, fits + 1), look) <= width_ - x_) ++fits;
      Place(word.substr(0, fits), look, measure_(word.substr(0, fits), look));
      word.remove_prefix(fits);
      if (!word.empty()) NewLine(true);
    }
  }

  // Moves the line's last character to a new line, followed by `token`;
  // false (and `token` overhangs the line) when the line would be left empty
  // or ends in a blank.
  bool TakeLastCharacterAlong(std::u32string_view token, const TextRun& look) {
    RichLine& line = lines_.back();
    PlacedText& last = line.back();
    const char32_t moved = last.text.back();
    if ((line.size() == 1 && last.text.size() == 1) || IsBlank(moved)) {
      Place(token, look, measure_(token, look));
      return true;
    }
    const TextRun& moved_look = *last.look;
    last.text.pop_back();
    if (last.text.empty()) line.pop_back();
    NewLine(true);
    const std::u32string character(1, moved);
    Place(character, moved_look, measure_(character, moved_look));
    Place(token, look, measure_(token, look));
    return true;
  }

  int width_;
  const MeasureText& measure_;
  std::vector<RichLine> lines_{RichLine{}};
  int x_ = 0;
  bool wrapped_ = false;
};

}  // namespace

bool ClosesAPhrase(char32_t c) { return std::u32string_view(U"，。！？、；：）」』”’,.!?;:)").find(c) != std::u32string_view::npos; }

std::vector<RichLine> BreakRichText(const RichText& text, int width, const MeasureText& measure) {
  LineBreaker breaker(std::max(1, width), measure);
  for (const TextRun& run : text) {
    for (std::u32string_view rest = run.shown; !rest.empty();) {
      const std::u32string_view token = rest[0] == U'\n' ? rest.substr(0, 1) : NextToken(rest);
      breaker.Add(token, run);
      rest.remove_prefix(token.size());
    }
  }
  std::vector<RichLine> lines = std::move(breaker).Lines();
  while (lines.size() > 1 && lines.back().empty()) lines.pop_back();
  return lines;
}

FrameArrangement ArrangeFrame(const ControlModel& model, int frame_id,
                              const std::function<int(const Control& label)>& rows_needed, int max_height) {
  FrameArrangement arrangement;
  const Control* frame = model.Find(frame_id);
  if (frame == nullptr) return arrangement;
  arrangement.height = frame->height;
  std::vector<const Control*> labels;
  for (const Control& control : model.Controls()) {
    if (control.frame != frame_id || control.id == frame_id) continue;
    arrangement.row[control.id] = control.y;
    arrangement.rows[control.id] = control.height;
    if (control.kind == ControlKind::kRichLabel && control.visible) labels.push_back(&control);
  }
  std::sort(labels.begin(), labels.end(), [](const Control* a, const Control* b) { return a->y < b->y; });
  for (const Control* label : labels) {
    const int extra = std::min(rows_needed(*label) - label->height, max_height - arrangement.height);
    if (extra <= 0) continue;
    arrangement.rows[label->id] += extra;
    arrangement.height += extra;
    for (const Control& control : model.Controls()) {
      if (control.frame == frame_id && control.id != frame_id && control.y >= label->y + label->height) {
        arrangement.row[control.id] += extra;
      }
    }
  }
  return arrangement;
}

}  // namespace VelumFab
