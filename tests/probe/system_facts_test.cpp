#include "probe/system_facts.h"

#include <cstring>

#include <gtest/gtest.h>

#include "app/machine_info.h"

namespace {

CpuBrandBytes Brand(const char* text) {
  CpuBrandBytes brand{};
  std::memcpy(brand.data(), text, std::strlen(text));
  return brand;
}

TEST(StoreCpuName, StoresTheBrandTrimmedAndReturnsItAsRead) {
  EXPECT_EQ(StoreCpuName(Brand("       Intel Core i7 980X @ 3.33GHz")), "       Intel Core i7 980X @ 3.33GHz");
  EXPECT_EQ(MachineInfo()["CPU"], "Intel Core i7 980X @ 3.33GHz");
  StoreCpuName(Brand("Intel(R) Core(TM)2 CPU         U7700  @ 1.33GHz "));
  EXPECT_EQ(MachineInfo()["CPU"], "Intel(R) Core(TM)2 CPU         U7700  @ 1.33GHz");
}

TEST(StoreCpuName, AllFortyEightBytesMayHoldText) {
  const std::string full(48, 'x');
  EXPECT_EQ(StoreCpuName(Brand(full.c_str())), full);
  EXPECT_EQ(StoreCpuName(CpuBrandBytes{}), "");
  EXPECT_EQ(MachineInfo()["CPU"], "");
}

TEST(StoreMemory, PrintsMebibytesOfTheSinglePrecisionQuotient) {
  EXPECT_EQ(StoreMemory(8589934592ULL), "8192.00 MB");
  EXPECT_EQ(MachineInfo()["RAM"], "8192.00 MB");
  EXPECT_EQ(MachineInfo()["RAM Bytes"], "8589934592");
  EXPECT_EQ(StoreMemory(4294967296ULL), "4096.00 MB");
  EXPECT_EQ(StoreMemory(68719489024ULL), "65536.02 MB");  // 65536.015625 as a float; a double gives .01
  EXPECT_EQ(StoreMemory(68719513600ULL), "65536.03 MB");
  EXPECT_EQ(MachineInfo()["RAM Bytes"], "68719513600");
}

TEST(StoreOsVersion, WritesWindowsVersionsWithServicePack) {
  EXPECT_EQ(StoreOsVersion({true, 6, 1, 1, 0}), "Windows 6.1, SP 1.0");
  EXPECT_EQ(MachineInfo()["WindowsVersion"], "601");
  EXPECT_EQ(StoreOsVersion({true, 10, 0, 0, 0}), "Windows 10.0, SP 0.0");
  EXPECT_EQ(MachineInfo()["OS"], "Windows 10.0, SP 0.0");
  EXPECT_EQ(MachineInfo()["WindowsVersion"], "1000");
  EXPECT_EQ(StoreOsVersion({true, 0, 0, 0, 0}), "Windows 0.0, SP 0.0");  // a failed query
}

TEST(StoreOsVersion, WritesKernelVersionsWithoutAWindowsVersion) {
  MachineInfo()["WindowsVersion"] = "untouched";
  EXPECT_EQ(StoreOsVersion({false, 6, 18, 0, 0}), "Linux 6.18");
  EXPECT_EQ(MachineInfo()["OS"], "Linux 6.18");
  EXPECT_EQ(MachineInfo()["WindowsVersion"], "untouched");
}

TEST(StoreDisplayMode, KeepsEarlierValuesWhenTheModeCannotBeRead) {
  EXPECT_EQ(StoreDisplayMode(DisplayMode{1366, 768, 32}), "1366x768, 32bits");
  EXPECT_EQ(MachineInfo()["ResolutionX"], "1366");
  EXPECT_EQ(MachineInfo()["ResolutionY"], "768");
  EXPECT_EQ(MachineInfo()["ResolutionBits"], "32");
  EXPECT_EQ(StoreDisplayMode(std::nullopt), "");
  EXPECT_EQ(MachineInfo()["Resolution"], "1366x768, 32bits");
  EXPECT_EQ(MachineInfo()["ResolutionX"], "1366");
}

}  // namespace
