#pragma once

#include <string>

enum class MessageIcon { kNone, kInformation, kExclamation, kError };

// Shows `text` (code page 936) under `caption` and waits until it is closed.
// Without a desktop (POSIX) both are written to standard output instead,
// and nothing waits.
void ShowMessageBox(const std::string& caption, const std::string& text, MessageIcon icon);
