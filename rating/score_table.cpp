#include "rating/score_table.h"

#include <boost/lexical_cast.hpp>

#include "platform/resources.h"
#include "rating/device_name.h"

std::size_t ScoreTable::Count(std::string_view name) const {
  return entries_.count(NormalizeDeviceName(name));
}

const std::int32_t* ScoreTable::Find(std::string_view name) const {
  auto it = entries_.find(NormalizeDeviceName(name));
  return it == entries_.end() ? nullptr : &it->second.score;
}

std::int32_t& ScoreTable::FindOrInsert(std::string_view name) {
  auto [it, inserted] = entries_.try_emplace(NormalizeDeviceName(name));
  if (inserted) it->second.name = std::string(name);
  return it->second.score;
}

std::string ScoreTable::StoredName(std::string_view name) const {
  auto it = entries_.find(NormalizeDeviceName(name));
  return it == entries_.end() ? std::string() : it->second.name;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A line break for the entry pattern: its "." matches neither LF nor CR.
bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

void ParseScoreLine(std::string_view line, ScoreTable& table) {
  for (std::size_t colon = line.rfind(':'); colon != std::string_view::npos;
       colon = colon == 0 ? std::string_view::npos : line.rfind(':', colon - 1)) {
    if (colon + 1 >= line.size() || !IsDigit(line[colon + 1])) continue;
    std::size_t end = colon + 1;
    while (end < line.size() && IsDigit(line[end])) ++end;
    std::int32_t score = 0;
    if (!boost::conversion::try_lexical_convert(line.data() + colon + 1, end - colon - 1, score)) return;
    table.FindOrInsert(line.substr(0, colon)) = score;
    return;
  }
}

}  // namespace

ScoreTable ParseScoreTable(std::string_view text) {
  ScoreTable table;
  std::size_t begin = 0;
  while (begin <= text.size()) {
    std::size_t end = begin;
    while (end < text.size() && !IsLineBreak(text[end])) ++end;
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
