#include "platform/network_identity.h"

#include <dirent.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "platform/posix/machine_files.h"
#include "platform/posix/system_files.h"

namespace {

bool ReadHardwareAddress(const std::string& interface_dir, std::array<unsigned char, 6>& address) {
  const std::string text = ReadFirstLine(interface_dir + "/address");
  unsigned bytes[6] = {};
  if (std::sscanf(text.c_str(), "%x:%x:%x:%x:%x:%x", &bytes[0], &bytes[1], &bytes[2], &bytes[3], &bytes[4],
                  &bytes[5]) != 6) {
    return false;
  }
  for (int i = 0; i < 6; ++i) address[i] = static_cast<unsigned char>(bytes[i]);
  return true;
}

struct Interface {
  int index = 0;
  std::string name;
};

// The interfaces of sys/class/net, in index order.
std::optional<std::vector<Interface>> ListInterfaces(const std::string& net_dir) {
  DIR* dir = opendir(net_dir.c_str());
  if (dir == nullptr) return std::nullopt;
  std::vector<Interface> interfaces;
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    Interface interface;
    interface.name = entry->d_name;
    std::sscanf(ReadFirstLine(net_dir + interface.name + "/ifindex").c_str(), "%d", &interface.index);
    interfaces.push_back(interface);
  }
  closedir(dir);
  std::sort(interfaces.begin(), interfaces.end(),
            [](const Interface& a, const Interface& b) { return a.index < b.index; });
  return interfaces;
}

}  // namespace

// The interfaces, each with its driver as the description: first those
// backed by a device (a network card, a virtio device), in index order, then
// the virtual ones (bridges, VPN tunnels, ifb), whose addresses are made up,
// so that the first real address is a card's wherever there is one.
std::optional<std::vector<NetworkAdapterRecord>> QueryNetworkAdaptersBelow(const std::string& root) {
  const std::string net_dir = root + "sys/class/net/";
  const std::optional<std::vector<Interface>> interfaces = ListInterfaces(net_dir);
  if (!interfaces) return std::nullopt;
  std::vector<NetworkAdapterRecord> adapters;
  for (const Interface& interface : *interfaces) {
    NetworkAdapterRecord adapter;
    adapter.name = interface.name;
    const std::string interface_dir = net_dir + interface.name;
    if (!ReadHardwareAddress(interface_dir, adapter.address)) continue;
    // The interface's driver (virtio_net, e1000e, ...), or "" for a virtual one.
    adapter.description = LinkTargetName(interface_dir + "/device/driver");
    adapters.push_back(adapter);
  }
  std::stable_partition(adapters.begin(), adapters.end(), [&net_dir](const NetworkAdapterRecord& adapter) {
    return !ReadLinkTarget(net_dir + adapter.name + "/device").empty();
  });
  return adapters;
}

std::optional<std::vector<NetworkAdapterRecord>> QueryNetworkAdapters() {
  return QueryNetworkAdaptersBelow(kThisMachine);
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
