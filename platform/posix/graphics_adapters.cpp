#include "platform/graphics_adapters.h"

#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "platform/posix/machine_files.h"
#include "platform/posix/pci_names.h"
#include "platform/posix/system_files.h"
#include "platform/resources.h"

namespace {

constexpr char kPciDevices[] = "sys/bus/pci/devices/";
constexpr char kPciIds[] = "usr/share/misc/pci.ids";

std::optional<unsigned> ReadHexFile(const std::string& path) {
  std::ifstream file(path);
  unsigned value = 0;
  file >> std::hex >> value;
  return file ? std::optional<unsigned>(value) : std::nullopt;
}

unsigned ReadHex(const std::string& path) { return ReadHexFile(path).value_or(0); }

PciDisplayIds ReadPciIds(const std::string& device) {
  PciDisplayIds ids;
  ids.vendor = ReadHex(device + "/vendor");
  ids.device = ReadHex(device + "/device");
  ids.revision = ReadHexFile(device + "/revision");
  ids.subsystem_vendor = ReadHexFile(device + "/subsystem_vendor");
  ids.subsystem_device = ReadHexFile(device + "/subsystem_device");
  return ids;
}

// The name the vendor's driver gives the adapter (the built-in driver-name
// table); else the one of the system's pci.ids, read only when needed.
class AdapterNamer {
 public:
  explicit AdapterNamer(std::string pci_ids_path) : pci_ids_path_(std::move(pci_ids_path)) {}

  std::string Name(const PciDisplayIds& ids) {
    if (std::optional<std::string> name = DriverTableName(TextResourceView("GPU-PCI.TXT", "TEXT"), ids)) return *name;
    if (!pci_ids_) pci_ids_ = ReadWholeFile(pci_ids_path_);
    return DisplayAdapterName(*pci_ids_, ids.vendor, ids.device);
  }

 private:
  std::string pci_ids_path_;
  std::optional<std::string> pci_ids_;
};

// "a.b.c.d" of the driver module's version where it has one: up to four
// numeric fields packed like a Windows driver version.
void ReadDriverVersion(const std::string& root, const std::string& driver, GraphicsAdapterRecord& record) {
  const std::string text = driver.empty() ? std::string() : ReadFirstLine(root + "sys/module/" + driver + "/version");
  unsigned fields[4] = {};
  std::sscanf(text.c_str(), "%u.%u.%u.%u", &fields[0], &fields[1], &fields[2], &fields[3]);
  record.driver_version_high = (fields[0] & 0xFFFF) << 16 | (fields[1] & 0xFFFF);
  record.driver_version_low = (fields[2] & 0xFFFF) << 16 | (fields[3] & 0xFFFF);
}

}  // namespace

// The PCI display controllers (class 03), the boot display first, then in
// bus order; named as their vendors' Windows drivers name them.
std::optional<std::vector<GraphicsAdapterRecord>> QueryGraphicsAdaptersBelow(const std::string& root) {
  const std::string pci_devices = root + kPciDevices;
  DIR* dir = opendir(pci_devices.c_str());
  if (dir == nullptr) return std::nullopt;
  std::vector<std::string> devices;
  while (const dirent* entry = readdir(dir)) {
    const std::string device = pci_devices + entry->d_name;
    if (entry->d_name[0] != '.' && (ReadHex(device + "/class") >> 16) == 0x03) devices.push_back(device);
  }
  closedir(dir);
  std::sort(devices.begin(), devices.end());
  std::stable_partition(devices.begin(), devices.end(),
                        [](const std::string& device) { return ReadHex(device + "/boot_vga") == 1; });

  std::vector<GraphicsAdapterRecord> adapters;
  if (devices.empty()) return adapters;
  AdapterNamer namer(root + kPciIds);
  for (const std::string& device : devices) {
    GraphicsAdapterRecord record;
    record.readable = true;
    record.description = namer.Name(ReadPciIds(device));
    ReadDriverVersion(root, LinkTargetName(device + "/driver"), record);
    adapters.push_back(record);
  }
  return adapters;
}

std::optional<std::vector<GraphicsAdapterRecord>> QueryGraphicsAdapters() {
  return QueryGraphicsAdaptersBelow(kThisMachine);
}
