#include "platform/system_facts.h"

#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <string>

#include "platform/posix/machine_files.h"
#include "platform/posix/system_files.h"

OsVersion QueryOsVersionBelow(const std::string& root) {
  OsVersion version;
  const std::string release = ReadFirstLine(root + "proc/sys/kernel/osrelease");
  std::sscanf(release.c_str(), "%u.%u", &version.major, &version.minor);
  return version;
}

// "MemTotal:  <n> kB": the memory the kernel manages, as sysinfo() and
// sysconf(_SC_PHYS_PAGES) count it.
std::uint64_t QueryTotalPhysicalMemoryBelow(const std::string& root) {
  std::ifstream meminfo(root + "proc/meminfo");
  std::uint64_t kibibytes = 0;
  char unit[4] = {};
  for (std::string line; std::getline(meminfo, line);) {
    if (std::sscanf(line.c_str(), "MemTotal: %" SCNu64 " %3s", &kibibytes, unit) == 2) {
      return std::string(unit) == "kB" ? kibibytes * 1024 : 0;
    }
  }
  return 0;
}

// The mode of the first frame buffer, the display the kernel drives; a
// headless machine has none.
std::optional<DisplayMode> QueryDisplayModeBelow(const std::string& root) {
  std::ifstream size_file(root + "sys/class/graphics/fb0/virtual_size");
  std::ifstream bits_file(root + "sys/class/graphics/fb0/bits_per_pixel");
  DisplayMode mode;
  char comma = 0;
  if (!(size_file >> mode.width >> comma >> mode.height) || comma != ',' || !(bits_file >> mode.bits_per_pixel)) {
    return std::nullopt;
  }
  return mode;
}

OsVersion QueryOsVersion() { return QueryOsVersionBelow(kThisMachine); }
std::uint64_t QueryTotalPhysicalMemory() { return QueryTotalPhysicalMemoryBelow(kThisMachine); }
std::optional<DisplayMode> QueryDisplayMode() { return QueryDisplayModeBelow(kThisMachine); }
