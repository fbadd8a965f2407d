#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <memory>
#include <vector>

#include "rating/text_index.h"

// A device score table: device names as written, with their scores, keyed
// by the normalised name so that every spelling of a device finds it. The
// normalised key is computed once when a name is stored, and a lookup
// normalises the queried name at most once.
class ScoreTable {
 public:
  ScoreTable() = default;
  // The indexes point into the table's own text storage: a table moves
  // (its storage with it), but a copy would point into the original.
  ScoreTable(ScoreTable&&) = default;
  ScoreTable& operator=(ScoreTable&&) = default;
  ScoreTable(const ScoreTable&) = delete;
  ScoreTable& operator=(const ScoreTable&) = delete;

  // Number of stored names equivalent to `name`: 0 or 1.
  std::size_t Count(std::string_view name) const;

  // The score of `name`, or nullptr when the table does not hold it.
  const std::int32_t* Find(std::string_view name) const;

  // The score of `name`, or 0 when the table does not hold it.
  std::int32_t Score(std::string_view name) const;

  // The score of `name`; an absent name is first inserted with score 0.
  std::int32_t& FindOrInsert(std::string_view name);

  std::size_t Size() const { return entries_.size(); }

  // Makes room for `names` stored names of `characters` characters in all,
  // so that filling the table neither rehashes nor allocates per name.
  void Reserve(std::size_t names, std::size_t characters);

  // The name text under which the entry equivalent to `name` is stored
  // (the first spelling that produced it), or "" when absent.
  std::string StoredName(std::string_view name) const;

 private:
  struct Entry {
    std::string_view name;  // the first spelling that produced it
    std::int32_t score = 0;
  };
  // Entries in insertion order; a deque, so that a returned score stays
  // where it is when later names are inserted.
  std::deque<Entry> entries_;
  // Normalised name -> entry. Nothing depends on the order of the keys, so
  // a hash index serves lookups faster than the ordered map the keys allow.
  TextIndex by_key_;
  // Every spelling stored so far -> its entry. Devices report their names
  // the way the table writes them, so most lookups end here, without
  // normalising the name.
  TextIndex by_spelling_;
  // The characters of every key of both indexes, in blocks that never move:
  // one block holds a whole parsed table.
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::size_t block_capacity_ = 0;  // characters of the last block
  std::size_t block_used_ = 0;      // of which taken
  // Reused for normalised names, so that a lookup allocates nothing.
  mutable std::string lookup_key_;

  const Entry* FindEntry(std::string_view name) const;
  std::string_view Keep(std::string_view text);
  void AddBlock(std::size_t characters);
  // Gives back the characters of `kept` when it is the last thing kept.
  void Forget(std::string_view kept);
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
