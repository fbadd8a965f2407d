#pragma once

#include <cstdint>

namespace VelumFab {

// The terminal colour nearest a COLORREF (0x00BBGGRR): on a terminal of 256
// colours one of its 6x6x6 cube, otherwise the strongest of red (1), green
// (2) and blue (4), the basic colours' numbers.
short NearestTerminalColor(std::uint32_t color, int terminal_colors);

}  // namespace VelumFab
