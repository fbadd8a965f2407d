// Real processors and real Windows PCs, replayed through the probe's Store
// steps and the rating. The CPUID leaves are those of published dumps (the
// InstLatx64 collection); the Windows PCs are DxDiag reports their owners
// published, from which the Direct3D 9 adapter record (description, driver
// version), the brand string and the memory are taken as the probe reads
// them. Expected levels and bonuses were worked out by hand from the tables.
#include <cstring>
#include <map>

#include <gtest/gtest.h>

#include "app/machine_info.h"
#include "probe/graphics_adapters.h"
#include "probe/system_facts.h"
#include "rating/rating.h"
#include "rating/score_table.h"

namespace {

using Leaves = std::map<std::uint32_t, CpuidLeaf>;

// A dump's leaves as the processor answers them: a leaf above the highest
// one it has gives the highest basic leaf's answer.
CpuBrandBytes BrandOf(const Leaves& leaves) {
  return CpuBrandFromLeaves([&leaves](std::uint32_t leaf) {
    auto it = leaves.find(leaf);
    return it != leaves.end() ? it->second : std::prev(leaves.lower_bound(0x80000000u))->second;
  });
}

struct CapturedProcessor {
  const char* source;
  Leaves leaves;
  const char* brand;     // as the processor gives it
  const char* cpu;       // as the record holds it
  std::int32_t score;    // in the processor table
};

const CapturedProcessor kProcessors[] = {
    {"GenuineIntel/GenuineIntel0030673_Silvermont3_CPUID.txt",
     {{0x00000000, {0x0000000B, 0x756E6547, 0x6C65746E, 0x49656E69}},
      {0x80000000, {0x80000008, 0, 0, 0}},
      {0x80000002, {0x20202020, 0x6E492020, 0x286C6574, 0x43202952}},
      {0x80000003, {0x72656C65, 0x52286E6F, 0x50432029, 0x4A202055}},
      {0x80000004, {0x30303931, 0x20402020, 0x39392E31, 0x007A4847}}},
     "      Intel(R) Celeron(R) CPU  J1900  @ 1.99GHz", "Intel(R) Celeron(R) CPU  J1900  @ 1.99GHz", 1762},
    {"AuthenticAMD/AuthenticAMD0500F10_K14_Bobcat_CPUID.txt",  // the string ends in the second leaf
     {{0x00000000, {0x00000006, 0x68747541, 0x444D4163, 0x69746E65}},
      {0x80000000, {0x8000001B, 0x68747541, 0x444D4163, 0x69746E65}},
      {0x80000002, {0x20444D41, 0x35332D45, 0x72502030, 0x7365636F}},
      {0x80000003, {0x00726F73, 0, 0, 0}},
      {0x80000004, {0, 0, 0, 0}}},
     "AMD E-350 Processor", "AMD E-350 Processor", 651},
    {"AuthenticAMD/AuthenticAMD0A20F10_K19_Vermeer2_CPUID.txt",
     {{0x00000000, {0x00000010, 0x68747541, 0x444D4163, 0x69746E65}},
      {0x80000000, {0x80000023, 0x68747541, 0x444D4163, 0x69746E65}},
      {0x80000002, {0x20444D41, 0x657A7952, 0x2039206E, 0x30303935}},
      {0x80000003, {0x32312058, 0x726F432D, 0x72502065, 0x7365636F}},
      {0x80000004, {0x20726F73, 0x20202020, 0x20202020, 0x00202020}}},
     "AMD Ryzen 9 5900X 12-Core Processor            ", "AMD Ryzen 9 5900X 12-Core Processor", 59999},
    {"GenuineIntel/GenuineIntel0000673_P3_KatmaiDP_CPUID.txt",  // no extended leaves
     {{0x00000000, {0x00000003, 0x756E6547, 0x6C65746E, 0x49656E69}},
      {0x00000003, {0x00000000, 0x00000000, 0x4CECC782, 0x00006778}}},
     "", "", 0},
};

TEST(CapturedProcessor, BrandStringsReachTheRecordAndTheTable) {
  for (const CapturedProcessor& processor : kProcessors) {
    SCOPED_TRACE(processor.source);
    MachineInfoRecord info;
    EXPECT_EQ(StoreCpuName(info, BrandOf(processor.leaves)), processor.brand);
    EXPECT_EQ(info["CPU"], processor.cpu);
    EXPECT_EQ(CpuTable().Score(info["CPU"]), processor.score);
  }
}

struct CapturedPc {
  const char* source;
  const char* brand;  // the DxDiag processor line without its " (n CPUs), ~x GHz"
  std::uint64_t memory_mib;  // "Available OS Memory"
  GraphicsAdapterRecord adapter;  // "Card name", "Driver Version"
  const char* level;
  const char* gain_extra;
};

constexpr std::uint32_t Driver(std::uint32_t high, std::uint32_t low) { return high << 16 | low; }

TEST(CapturedWindowsPc, RatesAsItsPartsScore) {
  const CapturedPc pcs[] = {
      {"https://issues.chromium.org/issues/40057460 (DxDiag of 2021-09-30)",
       "AMD Ryzen 9 3950X 16-Core Processor            ", 65446,
       {true, "NVIDIA GeForce GTX 650 Ti", Driver(27, 21), Driver(14, 5638)}, "2", "340"},
      {"DxDiag of machine DAMIEN3 (2022-12-26), with the driver version of the same post's HWiNFO report",
       "Intel(R) Core(TM) i5-3570K CPU @ 3.40GHz", 16266,
       {true, "NVIDIA GeForce GTX 660 Ti", Driver(27, 21), Driver(14, 5671)}, "2", "300"},
  };
  for (const CapturedPc& pc : pcs) {
    SCOPED_TRACE(pc.source);
    MachineInfoRecord info;
    CpuBrandBytes brand{};
    std::copy(pc.brand, pc.brand + std::strlen(pc.brand), brand.begin());
    StoreCpuName(info, brand);
    StoreMemory(info, pc.memory_mib * 1048576);
    StoreGraphicsAdapters(info, std::vector<GraphicsAdapterRecord>{pc.adapter});
    RateRecord(info);
    EXPECT_EQ(info["OutDevices"], "");
    EXPECT_EQ(info["Level"], pc.level);
    EXPECT_EQ(info["GainExtra"], pc.gain_extra);
  }
}

}  // namespace
