#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

// A device score table: device names as written, with their scores, keyed
// by the normalised name so that every spelling of a device finds it. The
// normalised key is computed once when a name is stored, and a lookup
// normalises the queried name at most once.
class ScoreTable {
 public:
  ScoreTable() = default;
  // The spelling index points into the entries: a table moves, but a copy
  // would point into the original.
  ScoreTable(ScoreTable&&) = default;
  ScoreTable& operator=(ScoreTable&&) = default;
  ScoreTable(const ScoreTable&) = delete;
  ScoreTable& operator=(const ScoreTable&) = delete;

  // Number of stored names equivalent to `name`: 0 or 1.
  std::size_t Count(std::string_view name) const;

  // The score of `name`, or nullptr when the table does not hold it.
  const std::int32_t* Find(std::string_view name) const;

  // The score of `name`; an absent name is first inserted with score 0.
  std::int32_t& FindOrInsert(std::string_view name);

  std::size_t Size() const { return entries_.size(); }

  // Makes room for `names` stored names, so that filling the table does not
  // rehash on the way.
  void Reserve(std::size_t names);

  // The name text under which the entry equivalent to `name` is stored
  // (the first spelling that produced it), or "" when absent.
  std::string StoredName(std::string_view name) const;

 private:
  struct Entry {
    const std::string* name = nullptr;  // the first spelling, a key of by_spelling_
    std::int32_t score = 0;
  };
  // Normalised name -> entry. Nothing depends on the order of the keys, so
  // a hash map serves lookups faster than the ordered map the keys allow.
  std::unordered_map<std::string, Entry> entries_;
  // Every spelling stored so far -> its entry. Devices report their names
  // the way the table writes them, so most lookups end here, without
  // normalising the name.
  std::unordered_map<std::string, Entry*> by_spelling_;
  // Reused for looked-up names, so that a lookup allocates nothing.
  mutable std::string lookup_key_;

  const Entry* FindEntry(std::string_view name) const;
};

// Parses "name:score" lines. A line contributes when it holds a colon
// directly followed by a digit: the name is everything before the last such
// colon and the score is the run of digits after it. Later lines overwrite
// the score of an equivalent earlier name but keep the earlier spelling.
// Scores that do not fit a signed 32-bit integer are skipped.
ScoreTable ParseScoreTable(std::string_view text);

// Parses the built-in resource `name` of type "TEXT".
ScoreTable LoadScoreTable(const char* name);

// The two process-wide tables, built during static initialisation (the
// graphics table first) from the resources GPU.TXT and CPU.TXT.
ScoreTable& GpuTable();
ScoreTable& CpuTable();
