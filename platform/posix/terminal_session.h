#pragma once

#include <string>

// What a full-screen terminal program needs from the system.

// Whether standard input and standard output are both terminals.
bool StandardStreamsAreTerminals();

// Makes the character locale (LC_CTYPE) a UTF-8 one, the user's own when it
// is UTF-8, else C.UTF-8, and returns the one it replaced; "" when no UTF-8
// locale is available.
std::string UseUtf8CharacterLocale();
void RestoreCharacterLocale(const std::string& previous);

// While a full-screen program has the terminal, what the process writes to
// standard error is kept aside instead of landing on the screen; released,
// it is written to standard error as it was. Release is safe in a signal
// handler.
void HoldStandardError();
void ReleaseStandardError();
