#pragma once

#include <initializer_list>
#include <random>
#include <string>
#include <vector>

// Builds random texts from fragments chosen to meet every branch of the
// device-name and device-list rules: white space of each kind, parentheses
// and brackets, device words in mixed case, vendor prefixes, the "@?%"
// marker and its pieces, digits, dots, tabs and non-ASCII bytes.
class RandomText {
 public:
  explicit RandomText(unsigned seed) : engine_(seed) {}

  std::string Pick(const std::vector<std::string>& fragments) {
    return fragments[std::uniform_int_distribution<std::size_t>(0, fragments.size() - 1)(engine_)];
  }

  std::string Join(const std::vector<std::string>& fragments, int min_count, int max_count) {
    std::string text;
    int count = Between(min_count, max_count);
    for (int i = 0; i < count; ++i) text += Pick(fragments);
    return text;
  }

  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }

  bool Chance(int percent) { return std::uniform_int_distribution<int>(0, 99)(engine_) < percent; }

 private:
  std::mt19937 engine_;
};

inline const std::vector<std::string>& DeviceNameFragments() {
  static const std::vector<std::string> fragments = {
      " ",    "  ",   "\t",   "\n",        "\v",        "\f",   "\r",     "(",     ")",       "[",
      "]",    "(R)",  "(TM)", "[Dual]",    "CPU",       "cpu",  "Cpu",    "GPU",   "gpu",     "Processor",
      "PROCESSOR", "processor", "AMD", "amd", "ATI", "Ati",  "@?%",    "@",     "?",       "%",
      "@?",   "?%",   "x",    "Intel",     "Core",      "i7",   "980X",   "3.33GHz", "0",     "9",
      "-",    ":",    "\xB5\xD8", "\xA0", "\x85", "\xFF", "CPUX", "XGPU", "Radeon", "HD"};
  return fragments;
}
