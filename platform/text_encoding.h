#pragma once

#include <cstdint>
#include <string>

// One UTF-16 code unit as code page 936 bytes: the exact character, a
// best-fit or the default character when there is none, "" when the
// conversion fails. A lone surrogate has no character of its own.
std::string Cp936FromUtf16Unit(std::uint16_t unit);
