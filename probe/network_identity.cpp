#include "probe/network_identity.h"

#include <algorithm>

#include <boost/format.hpp>

#include "app/machine_info.h"

namespace {

std::string AddressText(const std::array<unsigned char, 6>& address) {
  return (boost::format("%02X-%02X-%02X-%02X-%02X-%02X") % int{address[0]} % int{address[1]} % int{address[2]} %
          int{address[3]} % int{address[4]} % int{address[5]})
      .str();
}

bool IsAllZero(const std::array<unsigned char, 6>& address) {
  return std::all_of(address.begin(), address.end(), [](unsigned char byte) { return byte == 0; });
}

}  // namespace

std::string StoreNetworkIdentity(MachineInfoRecord& info, const std::optional<std::vector<NetworkAdapterRecord>>& adapters,
                                 const std::string& user_name, const std::string& host_name) {
  // Without any adapter the identity is unknown: both texts stay empty. When
  // no adapter has a real address, the last one's all-zero address is used.
  const NetworkAdapterRecord* chosen = nullptr;
  if (adapters && !adapters->empty()) {
    auto real = std::find_if(adapters->begin(), adapters->end(),
                             [](const NetworkAdapterRecord& adapter) { return !IsAllZero(adapter.address); });
    chosen = real != adapters->end() ? &*real : &adapters->back();
  }
  const std::string mac = chosen == nullptr ? std::string() : AddressText(chosen->address);
  info["Mac"] = mac;
  info["AdapterName"] = chosen == nullptr ? std::string() : chosen->name + chosen->description;
  info["HostName"] = user_name + "@" + host_name;
  return mac;
}

std::string ProbeNetworkIdentity() {
  MachineInfoRecord& info = MachineInfo();
  if (info.Has("Mac")) return info["Mac"];
  return StoreNetworkIdentity(info, QueryNetworkAdapters(), QueryUserName(), QueryHostName());
}
