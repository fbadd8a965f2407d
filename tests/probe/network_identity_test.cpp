#include "probe/network_identity.h"

#include <gtest/gtest.h>

#include "app/machine_info.h"

namespace {

NetworkAdapterRecord Adapter(std::array<unsigned char, 6> address, const char* name, const char* description) {
  return {address, name, description};
}

TEST(StoreNetworkIdentity, ChoosesTheFirstAdapterWithARealAddress) {
  MachineInfoRecord info;
  const std::vector<NetworkAdapterRecord> adapters = {
      Adapter({0, 0, 0, 0, 0, 0}, "{tunnel}", "Tunnel adapter"),
      Adapter({0x00, 0x1B, 0x21, 0x3A, 0x4F, 0x5C}, "{0F8A}", "Intel(R) Network Connection"),
      Adapter({0x0A, 0xFF, 0, 0, 0, 1}, "{later}", "Later")};
  EXPECT_EQ(StoreNetworkIdentity(info, adapters, "player", "desktop"), "00-1B-21-3A-4F-5C");
  EXPECT_EQ(info["Mac"], "00-1B-21-3A-4F-5C");
  EXPECT_EQ(info["AdapterName"], "{0F8A}Intel(R) Network Connection");
  EXPECT_EQ(info["HostName"], "player@desktop");
  EXPECT_EQ(StoreNetworkIdentity(info, std::vector<NetworkAdapterRecord>{adapters[2]}, "", "host"), "0A-FF-00-00-00-01");
  EXPECT_EQ(info["HostName"], "@host");
}

TEST(StoreNetworkIdentity, WithoutARealAddressOrAnyAdapter) {
  MachineInfoRecord info;
  const std::vector<NetworkAdapterRecord> zeros = {Adapter({}, "a", "first"), Adapter({}, "b", "last")};
  EXPECT_EQ(StoreNetworkIdentity(info, zeros, "u", "h"), "00-00-00-00-00-00");
  EXPECT_EQ(info["AdapterName"], "blast");

  EXPECT_EQ(StoreNetworkIdentity(info, std::nullopt, "u", "h"), "");  // the adapter list could not be read
  EXPECT_EQ(info["Mac"], "");
  EXPECT_EQ(info["AdapterName"], "");
  EXPECT_EQ(info["HostName"], "u@h");
}

TEST(ProbeNetworkIdentity, AStoredAddressIsReturnedWithoutAskingAgain) {
  MachineInfoRecord& info = MachineInfo();
  info["Mac"] = "01-02-03-04-05-06";
  info["AdapterName"] = "kept";
  info["HostName"] = "kept@too";
  EXPECT_EQ(ProbeNetworkIdentity(), "01-02-03-04-05-06");
  EXPECT_EQ(info["AdapterName"], "kept");
  EXPECT_EQ(info["HostName"], "kept@too");
}

}  // namespace
