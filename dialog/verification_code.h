#pragma once

#include <string>

// A verification code as the dialog shows it: its two two-digit halves
// swapped, four digits (1234 shows "3412", 5 shows "0500").
std::string ShownVerificationCode(int value);

// Whether typed `text` is the code `value` as shown: read as atoi reads it
// (leading blanks, then digits), so leading zeros may be left out.
bool VerificationCodeMatches(int value, const char* text);
