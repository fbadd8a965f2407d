// Score-table text against its definition: every match of the entry
// pattern "(.*):(\d+)" stores its name (the first spelling of a key stays)
// and its score (the last one counts); a score beyond a signed 32-bit
// integer is skipped.
#include <map>

#include "fuzz_input.h"
#include "rating/device_name.h"
#include "rating/score_table.h"
#include "support/reference_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  struct Expected {
    std::string name;
    long long score;
  };
  std::map<std::string, Expected> expected;
  for (const auto& [name, digits] : ReferenceScoreEntries(text)) {
    const std::size_t first = digits.find_first_not_of('0');
    const std::string significant = first == std::string::npos ? "0" : digits.substr(first);
    if (significant.size() > 10 || std::stoll(significant) > 2147483647LL) continue;
    const auto [entry, inserted] = expected.try_emplace(NormalizeDeviceName(name), Expected{name, 0});
    entry->second.score = std::stoll(significant);
  }
  const ScoreTable table = ParseScoreTable(text);
  if (table.Size() != expected.size()) FuzzFailure("the table holds a different number of names");
  for (const auto& [key, entry] : expected) {
    const std::int32_t* score = table.Find(entry.name);
    if (score == nullptr || *score != entry.score) FuzzFailure("wrong score for \"" + entry.name + "\"");
    if (table.StoredName(entry.name) != entry.name) FuzzFailure("wrong spelling kept for \"" + entry.name + "\"");
  }
  return 0;
}
