#pragma once

#include <string>

enum class MessageIcon { kNone, kInformation, kExclamation, kError };

// Shows `text` (code page 936) under `caption` and waits until it is closed.
// Windows: a message box; if none can be shown (no desktop), caption and
// text go to standard error. POSIX: over the terminal dialog while one is
// open, confirmed with Enter; otherwise written to standard output.
// With MACHINECHECK_MESSAGE_BOXES=print, every box is printed instead and
// nothing waits (see PrintMessageBox).
// Windows: the box has no owner and holds the input of the program's
// windows while it is open (task modal).
void ShowMessageBox(const std::string& caption, const std::string& text, MessageIcon icon);

// The same, and on a terminal a box over the screen that waits for the
// player too (the text is printed as well, to stay readable afterwards).
void ShowWaitingMessageBox(const std::string& caption, const std::string& text, MessageIcon icon);

// Whether MACHINECHECK_MESSAGE_BOXES=print asks for printed boxes.
bool MessageBoxesArePrinted();

// Writes the box to standard output ("[caption]" and the text, UTF-8) and,
// when a transcript is set, appends it there as one line: at first the one
// VELUM_TRANSCRIPT names, then the one the UI library hands over.
void PrintMessageBox(const std::string& caption, const std::string& text);

// The file printed boxes are appended to ("" for none): the transcript of
// the UI library's script backend, which it hands the host when it starts.
// Boxes printed before it was set are written to it first.
void SetMessageBoxTranscript(const std::string& path);
