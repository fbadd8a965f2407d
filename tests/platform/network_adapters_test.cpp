// The Linux network query on this machine: cards come before virtual
// interfaces, whatever their index order.
#include <filesystem>

#include <gtest/gtest.h>

#include "platform/network_identity.h"

namespace {

bool HasDevice(const std::string& interface) {
  std::error_code ignored;
  return std::filesystem::is_symlink("/sys/class/net/" + interface + "/device", ignored);
}

TEST(QueryNetworkAdapters, ListsInterfacesBackedByADeviceFirst) {
  const auto adapters = QueryNetworkAdapters();
  ASSERT_TRUE(adapters);
  bool virtual_seen = false;
  for (const NetworkAdapterRecord& adapter : *adapters) {
    if (!HasDevice(adapter.name)) {
      virtual_seen = true;
    } else {
      EXPECT_FALSE(virtual_seen) << adapter.name << " comes after a virtual interface";
    }
  }
}

}  // namespace
