#pragma once

#include <string_view>

// Terminal cells of a character: East Asian wide and full-width characters
// take two, combining marks none, every other character one. The one rule
// for every terminal drawing of this program and its UI library.
int CharacterCells(char32_t c);
int TextCells(std::u32string_view text);
