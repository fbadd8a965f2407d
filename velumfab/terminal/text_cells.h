#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace VelumFab {

// Terminal cells of UTF-8 text: East Asian wide and full-width characters
// take two, combining marks none, everything else one. Invalid bytes count
// as one cell each.
int CellWidth(std::string_view utf8);

// The longest start of `utf8` that fits in `cells`.
std::string FitCells(std::string_view utf8, int cells);

// The longest end of `utf8` that fits in `cells` (an edit shows the text's
// end, where the caret is).
std::string LastCells(std::string_view utf8, int cells);

// Whether `utf8` begins with punctuation that must not start a line
// (，。！？、；：and the closing brackets and quotes).
bool StartsWithClosingPunctuation(std::string_view utf8);

// `utf8` without its last character.
std::string WithoutLastCharacter(std::string_view utf8);

// `utf8` broken into lines of at most `cells`, at line feeds and wherever a
// line is full.
std::vector<std::string> WrapCells(std::string_view utf8, int cells);

}  // namespace VelumFab
