#include "literal_table.h"

#include <regex>
#include <sstream>

#include <boost/lexical_cast.hpp>

#include "rating/rating.h"
#include "support/reference_rules.h"

bool RegexNameLess::operator()(const std::string& a, const std::string& b) const {
  return ReferenceNormalizeDeviceName(a) < ReferenceNormalizeDeviceName(b);
}

LiteralScoreTable LiteralLoadScoreTable(const std::string& text) {
  LiteralScoreTable table;
  for (const auto& [name, digits] : ReferenceScoreEntries(text)) table[name] = boost::lexical_cast<int>(digits);
  return table;
}

namespace {

int Lookup(const LiteralScoreTable& table, const std::string& name) {
  return table.count(name) ? table.find(name)->second : 0;
}

int Tier(long long value, const long long (&thresholds)[5]) {
  for (int t = 0; t < 5; ++t) {
    if (value >= thresholds[t]) return t;
  }
  return 4;
}

}  // namespace

std::string LiteralRateDeviceList(const std::string& list, const LiteralScoreTable& cpu,
                                  const LiteralScoreTable& gpu) {
  static const long long graphics_thresholds[5] = {12000, 2500, 1200, 900, 0};
  static const long long processor_thresholds[5] = {10256, 1900, 1200, 500, 0};
  static const long long memory_thresholds[5] = {4026531840LL, 4026531840LL, 2080374784LL, 1073741824LL, 0};
  std::istringstream input(list);
  std::ostringstream output;
  char buffer[1024];
  while (input.getline(buffer, sizeof buffer)) {
    const std::optional<ReferenceDeviceLine> line = ReferenceMatchDeviceLine(buffer);
    if (!line) continue;
    const long long memory = static_cast<long long>(boost::lexical_cast<double>(line->memory_mib) * 1048576.0);
    const int processor = Lookup(cpu, line->processor);
    const int graphics = Lookup(gpu, line->graphics);
    std::string level = "-1";
    int gain = 0;
    if (processor != 0 && graphics != 0) {
      const int tier = std::max({Tier(graphics, graphics_thresholds), Tier(processor, processor_thresholds),
                                 Tier(memory, memory_thresholds)});
      level = std::to_string(tier + 1);
      gain = ComputeGainExtra(graphics, tier, processor) + 500;
    }
    output << line->id << '\t' << level << '\t' << gain << '\n';
    output.flush();
  }
  return output.str();
}
