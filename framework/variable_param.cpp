#include "framework/variable_param.h"

#include <cstring>
#include <iterator>

namespace Velum {

namespace {

template <typename T>
void Store(std::unique_ptr<std::map<int, T>>& map, int key, T value) {
  if (!map) map = std::make_unique<std::map<int, T>>();
  (*map)[key] = std::move(value);
}

template <typename T>
T Read(const std::unique_ptr<std::map<int, T>>& map, int key, int remove) {
  if (!map) return T{};
  auto it = map->find(key);
  if (it == map->end()) return T{};
  T value = it->second;
  if (remove != 0) map->erase(it);
  return value;
}

template <typename T>
int Has(const std::unique_ptr<std::map<int, T>>& map, int key) {
  return map && map->count(key) != 0 ? 1 : 0;
}

template <typename T>
void Remove(const std::unique_ptr<std::map<int, T>>& map, int key) {
  if (map) map->erase(key);
}

// Stores the entry `key` of `map` into `target` with `store`; 1 when there
// was one to copy.
template <typename T, typename Store>
int CopyEntry(const std::unique_ptr<std::map<int, T>>& map, int key, IVariableParam* target, Store store) {
  if (target == nullptr || !map) return 0;
  auto it = map->find(key);
  if (it == map->end()) return 0;
  store(*target, it->second);
  return 1;
}

// Copies `text` with its terminator when it fits below `capacity`.
bool CopyText(const std::string& text, char* buffer, unsigned capacity) {
  if (buffer == nullptr || text.size() >= capacity) return false;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return true;
}

}  // namespace

int CVariableParam2::SetFloat(int key, float value) {
  Store(floats_, key, value);
  return 1;
}

int CVariableParam2::SetBool(int key, bool value) {
  Store(bools_, key, value);
  return 1;
}

int CVariableParam2::SetDword(int key, std::uint32_t value) {
  Store(dwords_, key, value);
  return 1;
}

int CVariableParam2::SetString(int key, const char* value) {
  if (value == nullptr) return 0;
  Store(strings_, key, std::string(value));
  return 1;
}

int CVariableParam2::SetInt(int key, int value) {
  Store(ints_, key, value);
  return 1;
}

int CVariableParam2::GetInt(int key, int remove) { return Read(ints_, key, remove); }
bool CVariableParam2::GetBool(int key, int remove) { return Read(bools_, key, remove); }
std::uint32_t CVariableParam2::GetDword(int key, int remove) { return Read(dwords_, key, remove); }
float CVariableParam2::GetFloat(int key, int remove) { return Read(floats_, key, remove); }

int CVariableParam2::GetString(int key, char* buffer, unsigned capacity, int remove) {
  if (!strings_) return 0;
  auto it = strings_->find(key);
  if (it == strings_->end() || !CopyText(it->second, buffer, capacity)) return 0;
  if (remove != 0) strings_->erase(it);
  return 1;
}

int CVariableParam2::GetStringLength(int key) {
  const char* text = GetStringPtr(key);
  return text == nullptr ? 0 : static_cast<int>(strings_->at(key).size());
}

int CVariableParam2::HasInt(int key) { return Has(ints_, key); }
int CVariableParam2::HasString(int key) { return Has(strings_, key); }
int CVariableParam2::HasDword(int key) { return Has(dwords_, key); }
int CVariableParam2::HasBool(int key) { return Has(bools_, key); }
int CVariableParam2::HasFloat(int key) { return Has(floats_, key); }

void CVariableParam2::Clear() {
  ints_.reset();
  strings_.reset();
  dwords_.reset();
  bools_.reset();
  floats_.reset();
  ClearFlags();
}

void CVariableParam2::RemoveInt(int key) { Remove(ints_, key); }
void CVariableParam2::RemoveBool(int key) { Remove(bools_, key); }
void CVariableParam2::RemoveDword(int key) { Remove(dwords_, key); }
void CVariableParam2::RemoveFloat(int key) { Remove(floats_, key); }
void CVariableParam2::RemoveString(int key) { Remove(strings_, key); }

void CVariableParam2::CopyTo(IVariableParam* target, int clear_first) {
  if (target == nullptr) return;
  if (clear_first != 0) target->Clear();
  if (ints_) for (const auto& [key, value] : *ints_) target->SetInt(key, value);
  if (bools_) for (const auto& [key, value] : *bools_) target->SetBool(key, value);
  if (floats_) for (const auto& [key, value] : *floats_) target->SetFloat(key, value);
  if (dwords_) for (const auto& [key, value] : *dwords_) target->SetDword(key, value);
  if (strings_) for (const auto& [key, value] : *strings_) target->SetString(key, value.c_str());
  for (const auto& [key, value] : flags_) target->SetFlags(key, value, 1);
}

int CVariableParam2::CopyIntTo(IVariableParam* target, int key) {
  return CopyEntry(ints_, key, target, [key](IVariableParam& to, int value) { to.SetInt(key, value); });
}

int CVariableParam2::CopyBoolTo(IVariableParam* target, int key) {
  return CopyEntry(bools_, key, target, [key](IVariableParam& to, bool value) { to.SetBool(key, value); });
}

int CVariableParam2::CopyDwordTo(IVariableParam* target, int key) {
  return CopyEntry(dwords_, key, target, [key](IVariableParam& to, std::uint32_t value) { to.SetDword(key, value); });
}

int CVariableParam2::CopyFloatTo(IVariableParam* target, int key) {
  return CopyEntry(floats_, key, target, [key](IVariableParam& to, float value) { to.SetFloat(key, value); });
}

int CVariableParam2::CopyStringTo(IVariableParam* target, int key) {
  return CopyEntry(strings_, key, target,
                   [key](IVariableParam& to, const std::string& value) { to.SetString(key, value.c_str()); });
}

void CVariableParam2::SetFlags(int key, int value, int mode) {
  auto [it, inserted] = flags_.try_emplace(key, value);
  if (inserted) return;
  it->second = mode != 0 ? (it->second | value) : (it->second & value);
}

int CVariableParam2::GetFlags(int key, int remove) {
  auto it = flags_.find(key);
  if (it == flags_.end()) return 0;
  const int value = it->second;
  if (remove != 0) flags_.erase(it);
  return value;
}

int CVariableParam2::CopyFlagsTo(IVariableParam* target, int key) {
  if (target == nullptr || !HasFlags(key)) return 0;
  target->SetFlags(key, flags_.at(key), 1);
  return 1;
}

template <typename T, typename Deliver>
int CVariableParam2::First(const Map<T>& map, Deliver deliver) {
  cursor_ = 0;
  return Next(map, deliver);
}

template <typename T, typename Deliver>
int CVariableParam2::Next(const Map<T>& map, Deliver deliver) {
  if (!map || cursor_ >= map->size()) return 0;
  const auto& [key, value] = *std::next(map->begin(), cursor_);
  if (!deliver(key, value)) return 0;
  ++cursor_;
  return 1;
}

namespace {

// Delivers an entry into the caller's key and value.
template <typename T>
auto Into(int* key, T* value) {
  return [key, value](int entry_key, const T& entry_value) {
    if (key != nullptr) *key = entry_key;
    if (value != nullptr) *value = entry_value;
    return true;
  };
}

auto IntoText(int* key, char* buffer, unsigned capacity) {
  return [key, buffer, capacity](int entry_key, const std::string& text) {
    if (!CopyText(text, buffer, capacity)) return false;
    if (key != nullptr) *key = entry_key;
    return true;
  };
}

}  // namespace

int CVariableParam2::FirstInt(int* key, int* value) { return First(ints_, Into(key, value)); }
int CVariableParam2::NextInt(int* key, int* value) { return Next(ints_, Into(key, value)); }
int CVariableParam2::FirstString(int* key, char* buffer, unsigned capacity) {
  return First(strings_, IntoText(key, buffer, capacity));
}
int CVariableParam2::NextString(int* key, char* buffer, unsigned capacity) {
  return Next(strings_, IntoText(key, buffer, capacity));
}
int CVariableParam2::FirstDword(int* key, std::uint32_t* value) { return First(dwords_, Into(key, value)); }
int CVariableParam2::NextDword(int* key, std::uint32_t* value) { return Next(dwords_, Into(key, value)); }
int CVariableParam2::FirstBool(int* key, bool* value) { return First(bools_, Into(key, value)); }
int CVariableParam2::NextBool(int* key, bool* value) { return Next(bools_, Into(key, value)); }
int CVariableParam2::FirstFloat(int* key, float* value) { return First(floats_, Into(key, value)); }
int CVariableParam2::NextFloat(int* key, float* value) { return Next(floats_, Into(key, value)); }

const char* CVariableParam2::GetStringPtr(int key) {
  if (!strings_) return nullptr;
  auto it = strings_->find(key);
  return it == strings_->end() ? nullptr : it->second.c_str();
}

}  // namespace Velum
