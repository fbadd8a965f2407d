#include "probe/runtime_check.h"

#include "app/machine_info.h"

void CollectRuntimeNames(const std::vector<UninstallEntry>& key, std::set<std::string>& names) {
  for (const UninstallEntry& entry : key) {
    if (entry.display_name && entry.display_name->find("Visual C++") != std::string::npos) {
      names.insert(*entry.display_name);
    }
  }
}

std::string StoreVcRuntime(MachineInfoRecord& info, const std::vector<std::vector<UninstallEntry>>& keys) {
  std::set<std::string> names;
  for (const std::vector<UninstallEntry>& key : keys) CollectRuntimeNames(key, names);
  std::string text;
  std::string list;
  for (const std::string& name : names) {
    text += "\n\t" + name;
    list += name + ";";
    if (name.find("2010") != std::string::npos) info["VC10"] = "supported";
  }
  info["MSVC"] = list;
  return text;
}

std::string ProbeVcRuntime() { return StoreVcRuntime(MachineInfo(), QueryUninstallKeys()); }
