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
  MachineInfoRecord info;
  EXPECT_EQ(StoreCpuName(info, Brand("       Intel Core i7 980X @ 3.33GHz")), "       Intel Core i7 980X @ 3.33GHz");
  EXPECT_EQ(info["CPU"], "Intel Core i7 980X @ 3.33GHz");
  StoreCpuName(info, Brand("Intel(R) Core(TM)2 CPU         U7700  @ 1.33GHz "));
  EXPECT_EQ(info["CPU"], "Intel(R) Core(TM)2 CPU         U7700  @ 1.33GHz");
}

TEST(StoreCpuName, AllFortyEightBytesMayHoldText) {
  MachineInfoRecord info;
  const std::string full(48, 'x');
  EXPECT_EQ(StoreCpuName(info, Brand(full.c_str())), full);
  EXPECT_EQ(StoreCpuName(info, CpuBrandBytes{}), "");
  EXPECT_EQ(info["CPU"], "");
}

TEST(StoreMemory, PrintsMebibytesOfTheSinglePrecisionQuotient) {
  MachineInfoRecord info;
  EXPECT_EQ(StoreMemory(info, 8589934592ULL), "8192.00 MB");
  EXPECT_EQ(info["RAM"], "8192.00 MB");
  EXPECT_EQ(info["RAM Bytes"], "8589934592");
  EXPECT_EQ(StoreMemory(info, 4294967296ULL), "4096.00 MB");
  EXPECT_EQ(StoreMemory(info, 68719489024ULL), "65536.02 MB");  // 65536.015625 as a float; a double gives .01
  EXPECT_EQ(StoreMemory(info, 68719513600ULL), "65536.03 MB");
  EXPECT_EQ(info["RAM Bytes"], "68719513600");
}

TEST(StoreOsVersion, WritesWindowsVersionsWithServicePack) {
  MachineInfoRecord info;
  EXPECT_EQ(StoreOsVersion(info, {true, 6, 1, 1, 0}), "Windows 6.1, SP 1.0");
  EXPECT_EQ(info["WindowsVersion"], "601");
  EXPECT_EQ(StoreOsVersion(info, {true, 10, 0, 0, 0}), "Windows 10.0, SP 0.0");
  EXPECT_EQ(info["OS"], "Windows 10.0, SP 0.0");
  EXPECT_EQ(info["WindowsVersion"], "1000");
  EXPECT_EQ(StoreOsVersion(info, {true, 0, 0, 0, 0}), "Windows 0.0, SP 0.0");  // a failed query
}

TEST(StoreOsVersion, WritesKernelVersionsWithoutAWindowsVersion) {
  MachineInfoRecord info;
  info["WindowsVersion"] = "untouched";
  EXPECT_EQ(StoreOsVersion(info, {false, 6, 18, 0, 0}), "Linux 6.18");
  EXPECT_EQ(info["OS"], "Linux 6.18");
  EXPECT_EQ(info["WindowsVersion"], "untouched");
}

TEST(StoreDisplayMode, KeepsEarlierValuesWhenTheModeCannotBeRead) {
  MachineInfoRecord info;
  EXPECT_EQ(StoreDisplayMode(info, DisplayMode{1366, 768, 32}), "1366x768, 32bits");
  EXPECT_EQ(info["ResolutionX"], "1366");
  EXPECT_EQ(info["ResolutionY"], "768");
  EXPECT_EQ(info["ResolutionBits"], "32");
  EXPECT_EQ(StoreDisplayMode(info, std::nullopt), "");
  EXPECT_EQ(info["Resolution"], "1366x768, 32bits");
  EXPECT_EQ(info["ResolutionX"], "1366");
}

}  // namespace
