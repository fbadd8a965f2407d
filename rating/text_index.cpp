#include "rating/text_index.h"

#include <functional>

namespace {

std::size_t SlotsFor(std::size_t keys) {
  std::size_t slots = 16;
  while (3 * slots < 4 * keys) slots *= 2;
  return slots;
}

}  // namespace

void TextIndex::Reserve(std::size_t keys) {
  if (SlotsFor(keys) > slots_.size()) Rehash(SlotsFor(keys));
}

std::size_t TextIndex::SlotOf(std::string_view key) const {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = std::hash<std::string_view>()(key) & mask;
  while (slots_[slot].value != kAbsent && std::string_view(slots_[slot].key, slots_[slot].key_size) != key) {
    slot = (slot + 1) & mask;
  }
  return slot;
}

std::uint32_t TextIndex::Find(std::string_view key) const {
  return slots_.empty() ? kAbsent : slots_[SlotOf(key)].value;
}

std::pair<std::uint32_t*, bool> TextIndex::Insert(std::string_view key, std::uint32_t value) {
  if (SlotsFor(size_ + 1) > slots_.size()) Rehash(SlotsFor(size_ + 1));
  Slot& slot = slots_[SlotOf(key)];
  if (slot.value != kAbsent) return {&slot.value, false};
  slot = {key.data(), static_cast<std::uint32_t>(key.size()), value};
  ++size_;
  return {&slot.value, true};
}

void TextIndex::Rehash(std::size_t slot_count) {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(slot_count, Slot{});
  for (const Slot& slot : old) {
    if (slot.value != kAbsent) slots_[SlotOf({slot.key, slot.key_size})] = slot;
  }
}
