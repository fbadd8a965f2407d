#pragma once

#include <map>
#include <string>

// The score tables and the device-list rating as literally described, for
// comparison only: keys are stored as written and every comparison
// normalises both names with the seven regular-expression replacements.
struct RegexNameLess {
  bool operator()(const std::string& a, const std::string& b) const;
};
using LiteralScoreTable = std::map<std::string, int, RegexNameLess>;

LiteralScoreTable LiteralLoadScoreTable(const std::string& text);

// Rates a device list with the regular-expression line pattern and the
// literal tables; returns the result text.
std::string LiteralRateDeviceList(const std::string& list, const LiteralScoreTable& cpu,
                                  const LiteralScoreTable& gpu);
