#include "velumfab/terminal/terminal_colors.h"

namespace VelumFab {

namespace {

constexpr short kRed = 1;
constexpr short kGreen = 2;
constexpr short kBlue = 4;
constexpr int kCubeStart = 16;

// The cube's six levels are 0, 95, 135, 175, 215 and 255.
int CubeLevel(int value) { return value < 48 ? 0 : value < 115 ? 1 : (value - 35) / 40; }

}  // namespace

short NearestTerminalColor(std::uint32_t color, int terminal_colors) {
  const int red = static_cast<int>(color & 0xFF);
  const int green = static_cast<int>(color >> 8 & 0xFF);
  const int blue = static_cast<int>(color >> 16 & 0xFF);
  if (terminal_colors >= 256) {
    return static_cast<short>(kCubeStart + 36 * CubeLevel(red) + 6 * CubeLevel(green) + CubeLevel(blue));
  }
  if (red >= green && red >= blue) return kRed;
  return green >= blue ? kGreen : kBlue;
}

}  // namespace VelumFab
