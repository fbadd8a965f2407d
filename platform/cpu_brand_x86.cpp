#include <cpuid.h>

#include <cstring>

#include "platform/system_facts.h"

// Both builds run on x86-64, where the brand string comes from CPUID.
CpuBrandBytes QueryCpuBrand() {
  CpuBrandBytes brand{};
  unsigned highest = 0, ebx = 0, ecx = 0, edx = 0;
  __cpuid(0x80000000u, highest, ebx, ecx, edx);
  if (highest < 0x80000000u) return brand;
  for (unsigned leaf = 0x80000000u; leaf <= highest && leaf >= 0x80000000u; ++leaf) {
    unsigned registers[4] = {};
    __cpuid_count(leaf, 0, registers[0], registers[1], registers[2], registers[3]);
    if (leaf >= 0x80000002u && leaf <= 0x80000004u) {
      std::memcpy(brand.data() + 16 * (leaf - 0x80000002u), registers, sizeof registers);
    }
    if (leaf == 0xFFFFFFFFu) break;
  }
  return brand;
}
