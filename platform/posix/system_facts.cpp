#include "platform/system_facts.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

OsVersion QueryOsVersion() {
  OsVersion version;
  utsname name{};
  if (uname(&name) == 0) std::sscanf(name.release, "%u.%u", &version.major, &version.minor);
  return version;
}

std::uint64_t QueryTotalPhysicalMemory() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long page_size = sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || page_size <= 0) return 0;
  return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(page_size);
}

// The mode of the first frame buffer, the display the kernel drives; a
// headless machine has none.
std::optional<DisplayMode> QueryDisplayMode() {
  std::ifstream size_file("/sys/class/graphics/fb0/virtual_size");
  std::ifstream bits_file("/sys/class/graphics/fb0/bits_per_pixel");
  DisplayMode mode;
  char comma = 0;
  if (!(size_file >> mode.width >> comma >> mode.height) || comma != ',' || !(bits_file >> mode.bits_per_pixel)) {
    return std::nullopt;
  }
  return mode;
}
