#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/machine_info.h"
#include "platform/network_identity.h"

// Finds the machine's network identity once per process: the first adapter
// with a hardware address that is not all zero ("Mac", "AdapterName") and
// "user@host" ("HostName"). Later calls return the stored "Mac".
std::string ProbeNetworkIdentity();
std::string StoreNetworkIdentity(MachineInfoRecord& info, const std::optional<std::vector<NetworkAdapterRecord>>& adapters,
                                 const std::string& user_name, const std::string& host_name);
