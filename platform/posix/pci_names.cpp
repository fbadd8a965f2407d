#include "platform/posix/pci_names.h"

#include <cstdio>

namespace {

// The names the vendors' Windows drivers put before the marketing name.
const char* DriverVendorName(unsigned vendor_id) {
  switch (vendor_id) {
    case 0x10de: return "NVIDIA";
    case 0x1002:
    case 0x1022: return "AMD";
    case 0x8086: return "Intel(R)";
    default: return nullptr;
  }
}

std::string HexId(unsigned id) {
  char text[8];
  std::snprintf(text, sizeof text, "%04x", id & 0xFFFF);
  return text;
}

// The name after "<id>  " on the line that starts with `prefix` + id, from
// `from` on, up to the next line whose indentation is below `prefix`.
std::string_view FindEntry(std::string_view ids, std::size_t& from, std::string_view prefix, unsigned id) {
  const std::string key = std::string(prefix) + HexId(id) + "  ";
  for (std::size_t pos = from; pos < ids.size();) {
    std::size_t end = ids.find('\n', pos);
    if (end == std::string_view::npos) end = ids.size();
    std::string_view line = ids.substr(pos, end - pos);
    if (!prefix.empty() && !line.empty() && line[0] != '\t' && line[0] != '#') return {};  // next vendor
    if (line.substr(0, key.size()) == key) {
      from = end + 1;
      return line.substr(key.size());
    }
    pos = end + 1;
  }
  return {};
}

// "GA102 [GeForce RTX 3080]" -> "GeForce RTX 3080"; of alternatives written
// "A/B", the first.
std::string MarketingName(std::string_view device) {
  const std::size_t open = device.rfind('[');
  const std::size_t close = device.rfind(']');
  if (open != std::string_view::npos && close != std::string_view::npos && open < close) {
    device = device.substr(open + 1, close - open - 1);
    device = device.substr(0, device.find('/'));
  }
  while (!device.empty() && device.back() == ' ') device.remove_suffix(1);
  return std::string(device);
}

}  // namespace

std::string DisplayAdapterName(std::string_view pci_ids, unsigned vendor_id, unsigned device_id) {
  std::size_t pos = 0;
  const std::string_view vendor = FindEntry(pci_ids, pos, "", vendor_id);
  const std::string_view device = vendor.empty() ? std::string_view() : FindEntry(pci_ids, pos, "\t", device_id);
  const char* driver_vendor = DriverVendorName(vendor_id);
  const std::string vendor_name = driver_vendor != nullptr ? driver_vendor : std::string(vendor);
  if (device.empty()) {
    return (vendor_name.empty() ? std::string("Display adapter") : vendor_name) + " " + HexId(vendor_id) + ":" +
           HexId(device_id);
  }
  return vendor_name + " " + MarketingName(device);
}
