#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

// Raw facts of the machine, as the operating system and the processor give them.

struct OsVersion {
  bool windows = false;  // false: the kernel version of a POSIX system
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint16_t service_pack_major = 0;
  std::uint16_t service_pack_minor = 0;
};

// Windows: GetVersionExA (all zero when it fails). POSIX: the kernel release.
OsVersion QueryOsVersion();

// Total physical memory in bytes; 0 when it cannot be read.
std::uint64_t QueryTotalPhysicalMemory();

struct DisplayMode {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t bits_per_pixel = 0;
};

// The current mode of the default display, or nothing when none can be read.
std::optional<DisplayMode> QueryDisplayMode();

// The processor's 48 brand-string bytes (CPUID leaves 0x80000002 to
// 0x80000004), zero where the processor has no such leaf.
using CpuBrandBytes = std::array<char, 48>;
CpuBrandBytes QueryCpuBrand();

// The four registers one CPUID leaf (sub-leaf 0) answers.
struct CpuidLeaf {
  std::uint32_t eax = 0;
  std::uint32_t ebx = 0;
  std::uint32_t ecx = 0;
  std::uint32_t edx = 0;
};
using CpuidLeafReader = std::function<CpuidLeaf(std::uint32_t leaf)>;

// The brand-string bytes from the leaves `read_leaf` gives: this processor's
// in QueryCpuBrand, leaves captured from other processors in tests. Only
// leaves up to the highest extended leaf (leaf 0x80000000's EAX) are read.
CpuBrandBytes CpuBrandFromLeaves(const CpuidLeafReader& read_leaf);
