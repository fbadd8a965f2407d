#pragma once

#include <string>

// Code page 936 bytes as UTF-8 for the terminal; text that is not valid
// code page 936 is returned unchanged.
std::string TerminalTextFromCp936(const std::string& text);
