#pragma once

#include <set>
#include <string>
#include <vector>

#include "app/machine_info.h"
#include "platform/runtime_packages.h"

// Adds to `names` the display names under one uninstall key that contain
// "Visual C++" (exact case).
void CollectRuntimeNames(const std::vector<UninstallEntry>& key, std::set<std::string>& names);

// Lists the installed runtime packages in "MSVC" and marks "VC10" when a
// 2010 one is among them; returns one "\n\t"-led line per package.
std::string ProbeVcRuntime();
std::string StoreVcRuntime(MachineInfoRecord& info, const std::vector<std::vector<UninstallEntry>>& keys);
