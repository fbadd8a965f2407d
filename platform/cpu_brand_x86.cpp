#include <cpuid.h>

#include <cstring>

#include "platform/system_facts.h"

CpuBrandBytes CpuBrandFromLeaves(const CpuidLeafReader& read_leaf) {
  CpuBrandBytes brand{};
  const std::uint32_t highest = read_leaf(0x80000000u).eax;
  if (highest < 0x80000002u) return brand;
  for (std::uint32_t leaf = 0x80000002u; leaf <= 0x80000004u && leaf <= highest; ++leaf) {
    const CpuidLeaf registers = read_leaf(leaf);
    const std::uint32_t words[4] = {registers.eax, registers.ebx, registers.ecx, registers.edx};
    std::memcpy(brand.data() + 16 * (leaf - 0x80000002u), words, sizeof words);
  }
  return brand;
}

// Both builds run on x86-64, where the brand string comes from CPUID.
CpuBrandBytes QueryCpuBrand() {
  return CpuBrandFromLeaves([](std::uint32_t leaf) {
    CpuidLeaf registers;
    __cpuid_count(leaf, 0, registers.eax, registers.ebx, registers.ecx, registers.edx);
    return registers;
  });
}
