#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

// A hash index from texts to small numbers, in one array (open addressing,
// linear probing, at most three quarters full): no allocation per key. The texts are
// not copied: they must outlive the index.
class TextIndex {
 public:
  static constexpr std::uint32_t kAbsent = 0xFFFFFFFFu;

  // Makes room for `keys` keys without growing.
  void Reserve(std::size_t keys);

  // The number stored under `key`, or kAbsent.
  std::uint32_t Find(std::string_view key) const;

  // Stores `value` under `key` unless the key is present; returns where the
  // number under the key is (valid until the next insertion) and whether it
  // was stored now.
  std::pair<std::uint32_t*, bool> Insert(std::string_view key, std::uint32_t value);

 private:
  // Sixteen bytes: a key of up to 4 GiB and its number.
  struct Slot {
    const char* key = nullptr;
    std::uint32_t key_size = 0;
    std::uint32_t value = kAbsent;  // kAbsent: the slot is free
  };

  // The slot that holds `key`, or the free one where it belongs.
  std::size_t SlotOf(std::string_view key) const;
  void Rehash(std::size_t slot_count);

  std::vector<Slot> slots_;  // a power of two of them, or none
  std::size_t size_ = 0;
};
