#include "platform/posix/pci_names.h"

#include <gtest/gtest.h>

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

TEST(DisplayAdapterName, UnknownDevicesAreNamedByNumber) {
  EXPECT_EQ(DisplayAdapterName(kPciIds, 0x10de, 0x0e3a), "NVIDIA 10de:0e3a");  // a subsystem id, not a device
  EXPECT_EQ(DisplayAdapterName(kPciIds, 0x1af4, 0x1050), "Display adapter 1af4:1050");
  EXPECT_EQ(DisplayAdapterName("", 0x10de, 0x2206), "NVIDIA 10de:2206");
}

}  // namespace
