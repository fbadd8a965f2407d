#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "framework/component_base.h"

namespace Velum {

// The property bag (component 282): int, string, dword, bool and float
// values, each kind in a map of its own that comes into being with its first
// value, plus int flags. Reads with `remove` set also erase what they read.
class CVariableParam2 : public Component<IVariableParam, kVariableParamId> {
 public:
  int SetFloat(int key, float value) override;
  int SetBool(int key, bool value) override;
  int SetDword(int key, std::uint32_t value) override;
  int SetString(int key, const char* value) override;
  int SetInt(int key, int value) override;
  int GetInt(int key, int remove) override;
  bool GetBool(int key, int remove) override;
  std::uint32_t GetDword(int key, int remove) override;
  float GetFloat(int key, int remove) override;
  int GetString(int key, char* buffer, unsigned capacity, int remove) override;
  int GetStringLength(int key) override;
  int HasInt(int key) override;
  int HasString(int key) override;
  int HasDword(int key) override;
  int HasBool(int key) override;
  int HasFloat(int key) override;
  void Clear() override;
  void RemoveInt(int key) override;
  void RemoveBool(int key) override;
  void RemoveDword(int key) override;
  void RemoveFloat(int key) override;
  void RemoveString(int key) override;
  void CopyTo(IVariableParam* target, int clear_first) override;
  int CopyIntTo(IVariableParam* target, int key) override;
  int CopyBoolTo(IVariableParam* target, int key) override;
  int CopyDwordTo(IVariableParam* target, int key) override;
  int CopyFloatTo(IVariableParam* target, int key) override;
  int CopyStringTo(IVariableParam* target, int key) override;
  int PutInt(int key, int value) override { return SetInt(key, value); }
  int PutString(int key, const char* value) override { return SetString(key, value); }
  int PutDword(int key, std::uint32_t value) override { return SetDword(key, value); }
  int PutBool(int key, bool value) override { return SetBool(key, value); }
  int PutFloat(int key, float value) override { return SetFloat(key, value); }
  void SetFlags(int key, int value, int mode) override;
  int GetFlags(int key, int remove) override;
  void ClearFlags() override { flags_.clear(); }
  void RemoveFlags(int key) override { flags_.erase(key); }
  int HasFlags(int key) override { return flags_.count(key) != 0 ? 1 : 0; }
  int CopyFlagsTo(IVariableParam* target, int key) override;
  int FirstInt(int* key, int* value) override;
  int NextInt(int* key, int* value) override;
  int FirstString(int* key, char* buffer, unsigned capacity) override;
  int NextString(int* key, char* buffer, unsigned capacity) override;
  int FirstDword(int* key, std::uint32_t* value) override;
  int NextDword(int* key, std::uint32_t* value) override;
  int FirstBool(int* key, bool* value) override;
  int NextBool(int* key, bool* value) override;
  int FirstFloat(int* key, float* value) override;
  int NextFloat(int* key, float* value) override;
  const char* GetStringPtr(int key) override;

 private:
  template <typename T>
  using Map = std::unique_ptr<std::map<int, T>>;

  // One cursor, shared by the iterations of all kinds, counts the entries
  // delivered; each step delivers the entry at that position.
  template <typename T, typename Deliver>
  int First(const Map<T>& map, Deliver deliver);
  template <typename T, typename Deliver>
  int Next(const Map<T>& map, Deliver deliver);

  Map<int> ints_;
  Map<std::string> strings_;
  Map<std::uint32_t> dwords_;
  Map<bool> bools_;
  Map<float> floats_;
  unsigned cursor_ = 0;
  std::map<int, int> flags_;
};

}  // namespace Velum
