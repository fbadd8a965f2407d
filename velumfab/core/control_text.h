#pragma once

#include <string>
#include <string_view>

#include "velumfab/core/control_model.h"

namespace VelumFab {

// A control's text (code page 936) and what it shows change together, here
// only. An edit's caret goes to the end of a text set this way.
void SetControlText(Control& control, std::string text);
// A rich label's markup, read into runs that show their text; a run without
// a colour of its own takes the label's.
void SetRichMarkup(Control& control, std::string markup);
// What a combo box shows for each of its items.
void ShowItems(Control& combo);

// Editing at the caret of an edit. `character` is one character in code
// page 936 and `shown` what it shows; a selected text is replaced whole.
void InsertAtCaret(Control& edit, std::string_view character, char32_t shown);
// Each returns false when there was nothing to do.
bool EraseBeforeCaret(Control& edit);
bool EraseAtCaret(Control& edit);
bool MoveCaret(Control& edit, int position);

}  // namespace VelumFab
