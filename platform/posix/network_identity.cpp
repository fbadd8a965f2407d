#include "platform/network_identity.h"

#include <net/if.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "platform/posix/system_files.h"

namespace {

bool ReadHardwareAddress(const std::string& interface, std::array<unsigned char, 6>& address) {
  const std::string text = ReadFirstLine("/sys/class/net/" + interface + "/address");
  unsigned bytes[6] = {};
  if (std::sscanf(text.c_str(), "%x:%x:%x:%x:%x:%x", &bytes[0], &bytes[1], &bytes[2], &bytes[3], &bytes[4],
                  &bytes[5]) != 6) {
    return false;
  }
  for (int i = 0; i < 6; ++i) address[i] = static_cast<unsigned char>(bytes[i]);
  return true;
}

// The interface's driver (virtio_net, e1000e, ...), or "" for a virtual one.
std::string DriverName(const std::string& interface) {
  return LinkTargetName("/sys/class/net/" + interface + "/device/driver");
}

bool BackedByADevice(const std::string& interface) {
  return !ReadLinkTarget("/sys/class/net/" + interface + "/device").empty();
}

}  // namespace

// The interfaces, each with its driver as the description: first those
// backed by a device (a network card, a virtio device), in index order, then
// the virtual ones (bridges, VPN tunnels, ifb), whose addresses are made up,
// so that the first real address is a card's wherever there is one.
std::optional<std::vector<NetworkAdapterRecord>> QueryNetworkAdapters() {
  struct if_nameindex* interfaces = if_nameindex();
  if (interfaces == nullptr) return std::nullopt;
  std::vector<NetworkAdapterRecord> adapters;
  for (const struct if_nameindex* it = interfaces; it->if_index != 0 && it->if_name != nullptr; ++it) {
    NetworkAdapterRecord adapter;
    adapter.name = it->if_name;
    if (!ReadHardwareAddress(adapter.name, adapter.address)) continue;
    adapter.description = DriverName(adapter.name);
    adapters.push_back(adapter);
  }
  if_freenameindex(interfaces);
  std::stable_partition(adapters.begin(), adapters.end(),
                        [](const NetworkAdapterRecord& adapter) { return BackedByADevice(adapter.name); });
  return adapters;
}

std::string QueryUserName() {
  const passwd* entry = getpwuid(geteuid());
  return entry != nullptr && entry->pw_name != nullptr ? entry->pw_name : "";
}

std::string QueryHostName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}
