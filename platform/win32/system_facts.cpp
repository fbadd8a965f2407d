#include "platform/system_facts.h"

#include <windows.h>

OsVersion QueryOsVersion() {
  OSVERSIONINFOEXA info{};
  info.dwOSVersionInfoSize = sizeof info;  // 156: the extended record
  GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
  OsVersion version;
  version.windows = true;
  version.major = info.dwMajorVersion;
  version.minor = info.dwMinorVersion;
  version.service_pack_major = info.wServicePackMajor;
  version.service_pack_minor = info.wServicePackMinor;
  return version;
}

std::uint64_t QueryTotalPhysicalMemory() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  return GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
}

std::optional<DisplayMode> QueryDisplayMode() {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return std::nullopt;
  return DisplayMode{mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel};
}
