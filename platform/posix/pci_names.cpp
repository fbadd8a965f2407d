#include "platform/posix/pci_names.h"

#include <cctype>
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

bool IsHexDigits(std::string_view text) {
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// What a line of the driver-name table says after "vvvv:dddd:": the ids
// of subsystem or revision it applies to ("" for the whole device) and the
// name.
struct TableLine {
  std::string_view ids;
  std::string_view name;
};

TableLine SplitTableLine(std::string_view rest) {
  if (rest.size() > 10 && rest[4] == ':' && rest[9] == ':' && IsHexDigits(rest.substr(0, 4)) &&
      IsHexDigits(rest.substr(5, 4))) {
    return {rest.substr(0, 9), rest.substr(10)};
  }
  if (rest.size() > 3 && rest[2] == ':' && IsHexDigits(rest.substr(0, 2))) return {rest.substr(0, 2), rest.substr(3)};
  return {{}, rest};
}

std::string HexByte(unsigned value) {
  char text[4];
  std::snprintf(text, sizeof text, "%02x", value & 0xFF);
  return text;
}

// The first word of `name` without a trade mark ("Intel(R)" -> "intel"),
// in lower case.
std::string VendorWord(std::string_view name) {
  std::string word(name.substr(0, name.find(' ')));
  const std::size_t mark = word.find('(');
  if (mark != std::string::npos) word.erase(mark);
  for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return word;
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

std::optional<std::string> DriverTableName(std::string_view table, const PciDisplayIds& ids) {
  const std::string device_key = HexId(ids.vendor) + ":" + HexId(ids.device) + ":";
  const std::string subsystem = ids.subsystem_vendor && ids.subsystem_device
                                    ? HexId(*ids.subsystem_vendor) + ":" + HexId(*ids.subsystem_device)
                                    : std::string();
  const std::string revision = ids.revision ? HexByte(*ids.revision) : std::string();
  std::optional<std::string_view> by_subsystem, by_revision, by_device;
  // The lines of one device stand together: from the first one found on.
  std::size_t at = table.substr(0, device_key.size()) == device_key ? 0 : table.find("\n" + device_key);
  if (at == std::string_view::npos) return std::nullopt;
  if (at != 0) ++at;
  while (at < table.size() && table.substr(at, device_key.size()) == device_key) {
    std::size_t end = table.find('\n', at);
    if (end == std::string_view::npos) end = table.size();
    std::string_view rest = table.substr(at + device_key.size(), end - at - device_key.size());
    if (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
    const TableLine line = SplitTableLine(rest);
    if (line.ids.empty()) {
      by_device = line.name;
    } else if (!subsystem.empty() && line.ids == subsystem) {
      by_subsystem = line.name;
    } else if (!revision.empty() && line.ids == revision) {
      by_revision = line.name;
    }
    at = end + 1;
  }
  for (const auto& name : {by_subsystem, by_revision, by_device}) {
    if (name && !name->empty()) return std::string(*name);
  }
  return std::nullopt;
}

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
  const std::string marketing = MarketingName(device);
  // "AMD Custom GPU 0405" names its vendor already.
  if (VendorWord(marketing) == VendorWord(vendor_name)) return marketing;
  return vendor_name + " " + marketing;
}
