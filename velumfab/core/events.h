#pragma once

namespace VelumFab {

// The event code of a key on a control that is not an edit (a button, a
// combo box, a clickable label); edits send Velum::kEventEditKey. Keys and
// parameters are those of edit key events.
constexpr int kEventControlKey = 0x300011;

}  // namespace VelumFab
