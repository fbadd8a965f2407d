#include "rating/score_table.h"

#include <algorithm>
#include <charconv>


#include "platform/resources.h"
#include "rating/device_name.h"

namespace {
constexpr std::size_t kBlockSize = 4096;
}

const ScoreTable::Entry* ScoreTable::FindEntry(std::string_view name) const {
  std::uint32_t entry = by_spelling_.Find(name);
  if (entry == TextIndex::kAbsent) {
    NormalizeDeviceNameInto(name, lookup_key_);
    entry = by_key_.Find(lookup_key_);
  }
  return entry == TextIndex::kAbsent ? nullptr : &entries_[entry];
}

std::size_t ScoreTable::Count(std::string_view name) const { return FindEntry(name) != nullptr ? 1 : 0; }

const std::int32_t* ScoreTable::Find(std::string_view name) const {
  const Entry* entry = FindEntry(name);
  return entry == nullptr ? nullptr : &entry->score;
}

std::int32_t ScoreTable::Score(std::string_view name) const {
  const Entry* entry = FindEntry(name);
  return entry == nullptr ? 0 : entry->score;
}

// A copy of `text` in the key storage, which never moves.
std::string_view ScoreTable::Keep(std::string_view text) {
  if (blocks_.empty() || text.size() > block_capacity_ - block_used_) AddBlock(std::max(kBlockSize, text.size()));
  char* place = blocks_.back().get() + block_used_;
  std::copy(text.begin(), text.end(), place);
  block_used_ += text.size();
  return {place, text.size()};
}

void ScoreTable::AddBlock(std::size_t characters) {
  blocks_.emplace_back(new char[characters]);
  block_capacity_ = characters;
  block_used_ = 0;
}

void ScoreTable::Forget(std::string_view kept) {
  if (kept.data() + kept.size() == blocks_.back().get() + block_used_) block_used_ -= kept.size();
}

std::int32_t& ScoreTable::FindOrInsert(std::string_view name) {
  const std::uint32_t next = static_cast<std::uint32_t>(entries_.size());
  const std::string_view kept_name = Keep(name);
  const auto [spelling_entry, new_spelling] = by_spelling_.Insert(kept_name, next);
  if (!new_spelling) {
    Forget(kept_name);
    return entries_[*spelling_entry].score;
  }
  NormalizeDeviceNameInto(name, lookup_key_);
  const std::string_view kept_key = Keep(lookup_key_);
  const auto [key_entry, new_key] = by_key_.Insert(kept_key, next);
  if (new_key) {
    entries_.push_back({kept_name, 0});
  } else {
    Forget(kept_key);
    *spelling_entry = *key_entry;  // another spelling of a stored name
  }
  return entries_[*spelling_entry].score;
}

void ScoreTable::Reserve(std::size_t names, std::size_t characters) {
  by_key_.Reserve(names);
  by_spelling_.Reserve(names);
  AddBlock(characters);
}

std::string ScoreTable::StoredName(std::string_view name) const {
  const Entry* entry = FindEntry(name);
  return entry == nullptr ? std::string() : std::string(entry->name);
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
  const char* digits = line.data() + colon + 1;
  if (std::from_chars(digits, line.data() + end, score).ec != std::errc()) return;  // beyond 2^31-1
  table.FindOrInsert(line.substr(0, colon)) = score;
}

}  // namespace

ScoreTable ParseScoreTable(std::string_view text) {
  ScoreTable table;
  // Each stored name and its normalised form (never longer) fit in twice
  // the text's characters.
  table.Reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1, 2 * text.size());
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

ScoreTable LoadScoreTable(const char* name) { return ParseScoreTable(TextResourceView(name, "TEXT")); }

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
