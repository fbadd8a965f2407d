#include "velumfab/core/control_text.h"

#include <algorithm>

#include "platform/text_encoding.h"
#include "platform/unicode_text.h"

namespace VelumFab {

namespace {

int Length(const Control& control) { return static_cast<int>(control.shown.size()); }

// The byte where the code page 936 text's character `position` starts.
std::size_t ByteOf(const std::string& text, int position) {
  std::size_t at = 0;
  for (int i = 0; i < position && at < text.size(); ++i) at += Cp936CharacterLength(std::string_view(text).substr(at));
  return at;
}

void ClearSelection(Control& edit) {
  if (!edit.selected) return;
  edit.selected = false;
  edit.text.clear();
  edit.shown.clear();
  edit.caret = 0;
}

}  // namespace

void SetControlText(Control& control, std::string text) {
  control.text = std::move(text);
  control.shown = Utf32FromCp936(control.text);
  control.caret = Length(control);
  control.selected = false;
}

void SetRichMarkup(Control& control, std::string markup) {
  control.text = std::move(markup);
  control.rich = ParseRichText(control.text);
  control.shown.clear();
  for (TextRun& run : control.rich) {
    run.shown = Utf32FromCp936(run.text);
    if (!run.color) run.color = control.color;
    control.shown += run.shown;
  }
}

void ShowItems(Control& combo) {
  combo.shown_items.clear();
  for (const std::string& item : combo.items) combo.shown_items.push_back(Utf32FromCp936(item));
}

void InsertAtCaret(Control& edit, std::string_view character, char32_t shown) {
  ClearSelection(edit);
  edit.caret = std::clamp(edit.caret, 0, Length(edit));
  edit.text.insert(ByteOf(edit.text, edit.caret), character);
  // A character code page 936 lacks is kept as what it became.
  const bool lost = character == "?" && shown != U'?';
  edit.shown.insert(static_cast<std::size_t>(edit.caret), 1, lost ? U'?' : shown);
  ++edit.caret;
}

bool EraseBeforeCaret(Control& edit) {
  if (edit.selected) {
    ClearSelection(edit);
    return true;
  }
  if (edit.caret <= 0) return false;
  --edit.caret;
  return EraseAtCaret(edit);
}

bool EraseAtCaret(Control& edit) {
  if (edit.selected) {
    ClearSelection(edit);
    return true;
  }
  if (edit.caret < 0 || edit.caret >= Length(edit)) return false;
  const std::size_t begin = ByteOf(edit.text, edit.caret);
  edit.text.erase(begin, ByteOf(edit.text, edit.caret + 1) - begin);
  edit.shown.erase(static_cast<std::size_t>(edit.caret), 1);
  return true;
}

bool MoveCaret(Control& edit, int position) {
  position = std::clamp(position, 0, Length(edit));
  if (position == edit.caret && !edit.selected) return false;
  edit.caret = position;
  edit.selected = false;
  return true;
}

}  // namespace VelumFab
