#include "platform/posix/pci_names.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "platform/resources.h"

namespace {

const char kPciIds[] =
    "# comment\n"
    "1002  Advanced Micro Devices, Inc. [AMD/ATI]\n"
    "\t73bf  Navi 21 [Radeon RX 6800/6800 XT / 6900 XT]\n"
    "\t\t1002 0e3a  Radeon RX 6900 XT\n"
    "10de  NVIDIA Corporation\n"
    "\t1183  GK104 [GeForce GTX 660 Ti]\n"
    "\t2206  GA102 [GeForce RTX 3080]\n"
    "1234  Technical Corp.\n"
    "\t1111  QEMU Virtual Video Controller\n"
    "8086  Intel Corporation\n"
    "\t3e92  CoffeeLake-S GT2 [UHD Graphics 630]\n";

TEST(DisplayAdapterName, NamesAdaptersAsTheirWindowsDriversDo) {
  EXPECT_EQ(DisplayAdapterName(kPciIds, 0x10de, 0x2206), "NVIDIA GeForce RTX 3080");
  EXPECT_EQ(DisplayAdapterName(kPciIds, 0x10de, 0x1183), "NVIDIA GeForce GTX 660 Ti");
  EXPECT_EQ(DisplayAdapterName(kPciIds, 0x1002, 0x73bf), "AMD Radeon RX 6800");
  EXPECT_EQ(DisplayAdapterName(kPciIds, 0x8086, 0x3e92), "Intel(R) UHD Graphics 630");
  EXPECT_EQ(DisplayAdapterName(kPciIds, 0x1234, 0x1111), "Technical Corp. QEMU Virtual Video Controller");
}

TEST(DisplayAdapterName, DoesNotRepeatAVendorWordTheNameHasAlready) {
  const char ids[] = "1002  Advanced Micro Devices, Inc. [AMD/ATI]\n"
                     "\t163f  VanGogh [AMD Custom GPU 0405]\n"
                     "8086  Intel Corporation\n"
                     "\t56a0  DG2 [Intel(R) Arc(TM) A770 Graphics]\n";
  EXPECT_EQ(DisplayAdapterName(ids, 0x1002, 0x163f), "AMD Custom GPU 0405");
  EXPECT_EQ(DisplayAdapterName(ids, 0x8086, 0x56a0), "Intel(R) Arc(TM) A770 Graphics");
}

TEST(DisplayAdapterName, UnknownDevicesAreNamedByNumber) {
  EXPECT_EQ(DisplayAdapterName(kPciIds, 0x10de, 0x0e3a), "NVIDIA 10de:0e3a");  // a subsystem id, not a device
  EXPECT_EQ(DisplayAdapterName(kPciIds, 0x1af4, 0x1050), "Display adapter 1af4:1050");
  EXPECT_EQ(DisplayAdapterName("", 0x10de, 0x2206), "NVIDIA 10de:2206");
}

// Lines in the shipped table's shapes, one device with each.
const char kDriverTable[] =
    "1002:747e:c8:AMD Radeon RX 7800 XT\r\n"
    "1002:747e:db:AMD Radeon RX 7700\r\n"
    "1002:747e:ff:AMD Radeon RX 7700 XT\r\n"
    "10de:1c8c:NVIDIA GeForce GTX 1050 Ti\r\n"
    "10de:1c8c:1028:087c:NVIDIA GeForce GTX 1050 Ti with Max-Q Design\r\n"
    "10de:2230:1028:1459:NVIDIA RTX A6000\r\n"
    "8086:3e9b:Intel(R) UHD Graphics 630\r\n";

PciDisplayIds Ids(unsigned vendor, unsigned device, std::optional<unsigned> revision = std::nullopt,
                  std::optional<unsigned> subsystem_vendor = std::nullopt,
                  std::optional<unsigned> subsystem_device = std::nullopt) {
  return PciDisplayIds{vendor, device, revision, subsystem_vendor, subsystem_device};
}

TEST(DriverTableName, PicksTheLineOfTheSubsystemThenTheRevisionThenTheDevice) {
  EXPECT_EQ(DriverTableName(kDriverTable, Ids(0x1002, 0x747e, 0xc8)), "AMD Radeon RX 7800 XT");
  EXPECT_EQ(DriverTableName(kDriverTable, Ids(0x1002, 0x747e, 0xff)), "AMD Radeon RX 7700 XT");
  EXPECT_EQ(DriverTableName(kDriverTable, Ids(0x10de, 0x1c8c, 0xa1, 0x1028, 0x087c)),
            "NVIDIA GeForce GTX 1050 Ti with Max-Q Design");
  EXPECT_EQ(DriverTableName(kDriverTable, Ids(0x10de, 0x1c8c, 0xa1, 0x1028, 0x0001)), "NVIDIA GeForce GTX 1050 Ti");
  EXPECT_EQ(DriverTableName(kDriverTable, Ids(0x10de, 0x1c8c)), "NVIDIA GeForce GTX 1050 Ti");
  EXPECT_EQ(DriverTableName(kDriverTable, Ids(0x8086, 0x3e9b, 0x00)), "Intel(R) UHD Graphics 630");
}

TEST(DriverTableName, NamesNothingTheVendorDataDoesNot) {
  EXPECT_EQ(DriverTableName(kDriverTable, Ids(0x1002, 0x747e, 0x01)), std::nullopt);  // a revision not listed
  EXPECT_EQ(DriverTableName(kDriverTable, Ids(0x1002, 0x747e)), std::nullopt);        // no revision read
  EXPECT_EQ(DriverTableName(kDriverTable, Ids(0x10de, 0x2230, 0xa1, 0x10de, 0x145f)), std::nullopt);
  EXPECT_EQ(DriverTableName(kDriverTable, Ids(0x10de, 0x2c02)), std::nullopt);
  EXPECT_EQ(DriverTableName(kDriverTable, Ids(0x1002, 0x747f, 0xc8)), std::nullopt);  // ids of no line
  EXPECT_EQ(DriverTableName("", Ids(0x10de, 0x1c8c)), std::nullopt);
}

// The Linux build carries the vendors' table as it is kept in resources/.
TEST(DriverTableName, TheBuiltInTableIsTheShippedFileByteForByte) {
  std::ifstream file(std::string(MC_RESOURCES_DIR) + "/GPU-PCI.TXT", std::ios::binary);
  const std::string shipped((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::string_view built_in = TextResourceView("GPU-PCI.TXT", "TEXT");
  EXPECT_EQ(shipped.size(), 151642u);
  EXPECT_EQ(std::count(shipped.begin(), shipped.end(), '\n'), 3671);
  EXPECT_TRUE(built_in == shipped);
  EXPECT_EQ(DriverTableName(built_in, Ids(0x10de, 0x2f04)), "NVIDIA GeForce RTX 5070");
}

}  // namespace
