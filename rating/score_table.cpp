#include "rating/score_table.h"

#include <algorithm>

#include <boost/lexical_cast.hpp>

#include "platform/resources.h"
#include "rating/device_name.h"

const ScoreTable::Entry* ScoreTable::FindEntry(std::string_view name) const {
  lookup_key_.assign(name);
  auto spelling = by_spelling_.find(lookup_key_);
  if (spelling != by_spelling_.end()) return spelling->second;
  NormalizeDeviceNameInto(name, lookup_key_);
  auto it = entries_.find(lookup_key_);
  return it == entries_.end() ? nullptr : &it->second;
}

std::size_t ScoreTable::Count(std::string_view name) const { return FindEntry(name) != nullptr ? 1 : 0; }

const std::int32_t* ScoreTable::Find(std::string_view name) const {
  const Entry* entry = FindEntry(name);
  return entry == nullptr ? nullptr : &entry->score;
}

std::int32_t& ScoreTable::FindOrInsert(std::string_view name) {
  auto [spelling, new_spelling] = by_spelling_.try_emplace(std::string(name), nullptr);
  if (!new_spelling) return spelling->second->score;
  auto [it, new_entry] = entries_.try_emplace(NormalizeDeviceName(name));
  if (new_entry) it->second.name = &spelling->first;
  spelling->second = &it->second;
  return it->second.score;
}

void ScoreTable::Reserve(std::size_t names) {
  entries_.reserve(names);
  by_spelling_.reserve(names);
}

std::string ScoreTable::StoredName(std::string_view name) const {
  const Entry* entry = FindEntry(name);
  return entry == nullptr ? std::string() : *entry->name;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The entry of a line is at its last colon that a digit follows.
void ParseScoreLine(std::string_view line, ScoreTable& table) {
  std::size_t colon = line.size();
  do {
    colon = colon == 0 ? std::string_view::npos : line.rfind(':', colon - 1);
    if (colon == std::string_view::npos) return;
  } while (colon + 1 == line.size() || !IsDigit(line[colon + 1]));
  std::size_t end = colon + 1;
  while (end < line.size() && IsDigit(line[end])) ++end;
  std::int32_t score = 0;
  if (!boost::conversion::try_lexical_convert(line.data() + colon + 1, end - colon - 1, score)) return;
  table.FindOrInsert(line.substr(0, colon)) = score;
}

}  // namespace

ScoreTable ParseScoreTable(std::string_view text) {
  ScoreTable table;
  table.Reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  std::size_t begin = 0;
  while (begin <= text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string_view::npos) end = text.size();
    // The entry pattern's "." matches no CR either: a CR splits a line too.
    for (std::size_t cr; (cr = text.substr(begin, end - begin).find('\r')) != std::string_view::npos;) {
      ParseScoreLine(text.substr(begin, cr), table);
      begin += cr + 1;
    }
    ParseScoreLine(text.substr(begin, end - begin), table);
    begin = end + 1;
  }
  return table;
}

ScoreTable LoadScoreTable(const char* name) { return ParseScoreTable(LoadTextResource(name, "TEXT")); }

ScoreTable& GpuTable() {
  static ScoreTable table = LoadScoreTable("gpu.txt");
  return table;
}

ScoreTable& CpuTable() {
  static ScoreTable table = LoadScoreTable("cpu.txt");
  return table;
}

namespace {
// Builds both tables before the process entry runs, graphics first.
const bool kTablesBuilt = (GpuTable(), CpuTable(), true);
}  // namespace
