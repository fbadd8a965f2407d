#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics_adapters.h"
#include "platform/network_identity.h"
#include "platform/system_facts.h"

// The POSIX queries read the kernel's files (/proc, /sys) and the PCI name
// database below a root folder: "/" for this machine, or a folder that holds
// the same files captured from another machine (scripts/capture-machine).
// `root` ends with "/".
inline constexpr char kThisMachine[] = "/";

OsVersion QueryOsVersionBelow(const std::string& root);
std::uint64_t QueryTotalPhysicalMemoryBelow(const std::string& root);
std::optional<DisplayMode> QueryDisplayModeBelow(const std::string& root);
std::optional<std::vector<GraphicsAdapterRecord>> QueryGraphicsAdaptersBelow(const std::string& root);
std::optional<std::vector<NetworkAdapterRecord>> QueryNetworkAdaptersBelow(const std::string& root);
