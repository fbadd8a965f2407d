#pragma once

// Builds the player's dialog, runs it until the player closes it and
// destroys it. When the dialog cannot be built (no UI library, no usable
// layout) the player is told what is missing and where it was looked for,
// and the result is false: the dialog never runs without its controls. It
// is false too when the library could not show the dialog (no terminal, say)
// or its input ended before the player closed it.
bool RunDialogMode();
