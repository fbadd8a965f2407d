// CVariableParam2 under arbitrary sequences of operations, against a model
// of the property bag written from its definition: maps per kind, a flags
// map, one iteration cursor shared by all kinds, and CopyTo's order.
#include <cstring>
#include <map>

#include "framework/variable_param.h"
#include "fuzz_input.h"

namespace {

constexpr int kKeys = 5;  // keys -2 to 2, so that operations meet each other's entries

struct Model {
  std::map<int, int> ints;
  std::map<int, std::string> strings;
  std::map<int, std::uint32_t> dwords;
  std::map<int, bool> bools;
  std::map<int, float> floats;
  std::map<int, int> flags;
  unsigned cursor = 0;

  void Clear() {
    ints.clear();
    strings.clear();
    dwords.clear();
    bools.clear();
    floats.clear();
    flags.clear();
  }
};

template <typename T>
T Read(std::map<int, T>& map, int key, bool remove) {
  auto it = map.find(key);
  if (it == map.end()) return T{};
  T value = it->second;
  if (remove) map.erase(it);
  return value;
}

// Iteration of one kind in the model: First restarts the shared cursor.
template <typename T, typename Fits>
int Step(Model& model, const std::map<int, T>& map, bool first, int& key, T& value, Fits fits) {
  if (first) model.cursor = 0;
  if (model.cursor >= map.size()) return 0;
  const auto& [k, v] = *std::next(map.begin(), model.cursor);
  if (!fits(v)) return 0;
  key = k;
  value = v;
  ++model.cursor;
  return 1;
}

void Expect(bool holds, const char* what) {
  if (!holds) FuzzFailure(what);
}

bool SameFloat(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void CompareState(Velum::CVariableParam2& bag, Model& model) {
  for (int key = -kKeys / 2; key <= kKeys / 2; ++key) {
    Expect(bag.HasInt(key) == static_cast<int>(model.ints.count(key)), "HasInt");
    Expect(bag.GetInt(key, 0) == Read(model.ints, key, false), "GetInt");
    Expect(bag.HasDword(key) == static_cast<int>(model.dwords.count(key)), "HasDword");
    Expect(bag.GetDword(key, 0) == Read(model.dwords, key, false), "GetDword");
    Expect(bag.HasBool(key) == static_cast<int>(model.bools.count(key)), "HasBool");
    Expect(bag.GetBool(key, 0) == Read(model.bools, key, false), "GetBool");
    Expect(bag.HasFloat(key) == static_cast<int>(model.floats.count(key)), "HasFloat");
    Expect(SameFloat(bag.GetFloat(key, 0), Read(model.floats, key, false)), "GetFloat");
    Expect(bag.HasString(key) == static_cast<int>(model.strings.count(key)), "HasString");
    const char* text = bag.GetStringPtr(key);
    Expect((text != nullptr) == (model.strings.count(key) != 0), "GetStringPtr");
    if (text != nullptr) Expect(model.strings[key] == text, "the stored text");
    Expect(bag.GetStringLength(key) == static_cast<int>(Read(model.strings, key, false).size()), "GetStringLength");
    Expect(bag.HasFlags(key) == static_cast<int>(model.flags.count(key)), "HasFlags");
    Expect(bag.GetFlags(key, 0) == Read(model.flags, key, false), "GetFlags");
  }
}

// One operation on bag `index`, in the bag and in its model.
void Apply(FuzzInput& input, Velum::CVariableParam2 (&bags)[2], Model (&models)[2]) {
  const std::uint8_t op = input.Byte();
  const int index = op & 1;
  Velum::CVariableParam2& bag = bags[index];
  Model& model = models[index];
  const int key = static_cast<int>(input.Byte() % kKeys) - kKeys / 2;
  const std::uint8_t argument = input.Byte();
  const bool remove = (argument & 1) != 0;
  switch ((op >> 1) % 16) {
    case 0: Expect(bag.SetInt(key, argument - 128) == 1, "SetInt"), model.ints[key] = argument - 128; break;
    case 1: Expect(bag.SetDword(key, argument * 0x01010101u) == 1, "SetDword"), model.dwords[key] = argument * 0x01010101u; break;
    case 2: Expect(bag.PutBool(key, remove) == 1, "PutBool"), model.bools[key] = remove; break;
    case 3: {
      float value;
      const std::uint32_t bits = argument * 0x01030507u;
      std::memcpy(&value, &bits, sizeof value);
      Expect(bag.SetFloat(key, value) == 1, "SetFloat");
      model.floats[key] = value;
      break;
    }
    case 4: {
      if (argument == 0) {
        Expect(bag.SetString(key, nullptr) == 0, "SetString of null stores nothing");
        break;
      }
      const std::string text = input.Text();
      Expect(bag.PutString(key, text.c_str()) == 1, "PutString");
      model.strings[key] = text.substr(0, text.find('\0'));
      break;
    }
    case 5: Expect(bag.GetInt(key, remove) == Read(model.ints, key, remove), "GetInt, removing"); break;
    case 6: {
      char buffer[16] = {};
      const unsigned capacity = argument % 10;
      const auto it = model.strings.find(key);
      const bool copies = it != model.strings.end() && it->second.size() < capacity;
      Expect(bag.GetString(key, buffer, capacity, remove) == (copies ? 1 : 0), "GetString");
      if (copies) {
        Expect(it->second == buffer, "GetString's copy");
        if (remove) model.strings.erase(it);
      }
      break;
    }
    case 7: {
      const int value = argument & 0x3F;
      const int mode = argument >> 7;
      bag.SetFlags(key, value, mode);
      const auto it = model.flags.find(key);
      model.flags[key] = it == model.flags.end() ? value : mode != 0 ? (it->second | value) : (it->second & value);
      break;
    }
    case 8: Expect(bag.GetFlags(key, remove) == Read(model.flags, key, remove), "GetFlags, removing"); break;
    case 9: bag.Clear(), model.Clear(); break;
    case 10:
      bag.RemoveInt(key), bag.RemoveString(key), bag.RemoveFlags(key);
      model.ints.erase(key), model.strings.erase(key), model.flags.erase(key);
      break;
    case 11: {
      int got_key = 0, got = 0, want_key = 0, want = 0;
      const bool first = remove;
      const int result = first ? bag.FirstInt(&got_key, &got) : bag.NextInt(&got_key, &got);
      const int expected = Step(model, model.ints, first, want_key, want, [](int) { return true; });
      Expect(result == expected && (result == 0 || (got_key == want_key && got == want)), "FirstInt/NextInt");
      break;
    }
    case 12: {
      char buffer[16] = {};
      int got_key = 0, want_key = 0;
      std::string want;
      const unsigned capacity = argument % 10;
      const bool first = remove;
      const int result = first ? bag.FirstString(&got_key, buffer, capacity) : bag.NextString(&got_key, buffer, capacity);
      const int expected = Step(model, model.strings, first, want_key, want,
                                [capacity](const std::string& text) { return text.size() < capacity; });
      Expect(result == expected && (result == 0 || (got_key == want_key && want == buffer)), "FirstString/NextString");
      break;
    }
    case 13: {
      int got_key = 0, want_key = 0;
      std::uint32_t got = 0, want = 0;
      const int result = bag.NextDword(&got_key, &got);
      Expect(result == Step(model, model.dwords, false, want_key, want, [](std::uint32_t) { return true; }) &&
                 (result == 0 || (got_key == want_key && got == want)),
             "NextDword");
      break;
    }
    case 14: {  // into the other bag
      Model& target = models[1 - index];
      bag.CopyTo(&bags[1 - index], remove ? 1 : 0);
      if (remove) target.Clear();
      for (const auto& [k, v] : model.ints) target.ints[k] = v;
      for (const auto& [k, v] : model.bools) target.bools[k] = v;
      for (const auto& [k, v] : model.floats) target.floats[k] = v;
      for (const auto& [k, v] : model.dwords) target.dwords[k] = v;
      for (const auto& [k, v] : model.strings) target.strings[k] = v;
      for (const auto& [k, v] : model.flags) target.flags[k] = target.flags.count(k) != 0 ? (target.flags[k] | v) : v;
      break;
    }
    default:
      Expect(bag.CopyIntTo(&bags[1 - index], key) == static_cast<int>(model.ints.count(key)), "CopyIntTo");
      if (model.ints.count(key) != 0) models[1 - index].ints[key] = model.ints[key];
      Expect(bag.CopyFlagsTo(nullptr, key) == 0, "CopyFlagsTo null");
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  Velum::CVariableParam2 bags[2];
  Model models[2];
  for (int step = 0; step < 256 && !input.Empty(); ++step) Apply(input, bags, models);
  CompareState(bags[0], models[0]);
  CompareState(bags[1], models[1]);
  return 0;
}
