#include "probe/system_facts.h"

#include <cstring>

#include <boost/format.hpp>

#include "app/machine_info.h"
#include "app/white_space.h"

std::string StoreOsVersion(MachineInfoRecord& info, const OsVersion& version) {
  std::string text;
  if (version.windows) {
    text = (boost::format("Windows %d.%d, SP %d.%d") % version.major % version.minor % version.service_pack_major %
            version.service_pack_minor)
               .str();
    info["WindowsVersion"] = std::to_string(version.major * 100 + version.minor);
  } else {
    text = (boost::format("Linux %d.%d") % version.major % version.minor).str();
  }
  info["OS"] = text;
  return text;
}

std::string ProbeOsVersion() { return StoreOsVersion(MachineInfo(), QueryOsVersion()); }

std::string StoreMemory(MachineInfoRecord& info, std::uint64_t total_bytes) {
  // Printed from the single-precision number nearest to the size in MiB.
  const float mebibytes = static_cast<float>(static_cast<double>(total_bytes) / 1048576.0);
  const std::string text = (boost::format("%.2f MB") % mebibytes).str();
  info["RAM"] = text;
  info["RAM Bytes"] = std::to_string(total_bytes);
  return text;
}

std::string ProbeMemory() { return StoreMemory(MachineInfo(), QueryTotalPhysicalMemory()); }

std::string StoreDisplayMode(MachineInfoRecord& info, const std::optional<DisplayMode>& mode) {
  if (!mode) return {};
  info["ResolutionX"] = std::to_string(mode->width);
  info["ResolutionY"] = std::to_string(mode->height);
  info["ResolutionBits"] = std::to_string(mode->bits_per_pixel);
  const std::string text = (boost::format("%dx%d, %dbits") % mode->width % mode->height % mode->bits_per_pixel).str();
  info["Resolution"] = text;
  return text;
}

std::string ProbeDisplayMode() { return StoreDisplayMode(MachineInfo(), QueryDisplayMode()); }

std::string StoreCpuName(MachineInfoRecord& info, const CpuBrandBytes& brand) {
  const std::string text(brand.data(), strnlen(brand.data(), brand.size()));
  info["CPU"] = TrimWhitespace(text);
  return text;
}

std::string ProbeCpuName() { return StoreCpuName(MachineInfo(), QueryCpuBrand()); }
