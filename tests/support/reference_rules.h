#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

// The text rules written literally as the regular expressions they are
// defined by. Slow, and kept out of the program: the oracle against which
// the hand-written code is compared.

std::string ReferenceNormalizeDeviceName(const std::string& name);

struct ReferenceDeviceLine {
  std::string id;
  std::string processor;
  std::string memory_mib;
  std::string graphics;
};
std::optional<ReferenceDeviceLine> ReferenceMatchDeviceLine(const std::string& line);

// Every (name, score digits) match of the score-table entry pattern, in order.
std::vector<std::pair<std::string, std::string>> ReferenceScoreEntries(const std::string& text);
