#pragma once

#include <optional>
#include <string>
#include <string_view>

// The PCI identity of a display controller, as sysfs gives it; the optional
// numbers are absent when their files cannot be read.
struct PciDisplayIds {
  unsigned vendor = 0;
  unsigned device = 0;
  std::optional<unsigned> revision;
  std::optional<unsigned> subsystem_vendor;
  std::optional<unsigned> subsystem_device;
};

// The name the vendor's own driver gives the adapter, from the driver-name
// table (lines "vvvv:dddd:Name", "vvvv:dddd:rr:Name" and
// "vvvv:dddd:ssss:tttt:Name"): the line of its subsystem ids first, then of
// its revision, then of its device. Nothing when no line names it.
std::optional<std::string> DriverTableName(std::string_view table, const PciDisplayIds& ids);

// Names a display adapter the way its Windows driver does (vendor, then
// marketing name: "NVIDIA GeForce RTX 3080"), from the text of a pci.ids
// database. Unknown devices are named by their vendor and device numbers.
std::string DisplayAdapterName(std::string_view pci_ids, unsigned vendor_id, unsigned device_id);
