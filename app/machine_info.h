#pragma once

#include <cstddef>
#include <map>
#include <string>

// The one place where the facts of a run meet: probes, modes, the rating and
// the dialog exchange them under fixed text keys. Keys order byte-wise.
class MachineInfoRecord {
 public:
  // Find-or-insert: an absent key is first inserted with the empty value.
  std::string& operator[](const std::string& key) { return values_[key]; }

  // Lookup without creating.
  bool Has(const std::string& key) const { return values_.count(key) != 0; }

  std::size_t Size() const { return values_.size(); }

 private:
  std::map<std::string, std::string> values_;
};

// The process-wide record; empty until a probe or a mode fills it.
MachineInfoRecord& MachineInfo();
