#include "probe/graphics_adapters.h"

#include <boost/format.hpp>

#include "app/machine_info.h"
#include "app/white_space.h"

std::string DriverVersionText(std::uint32_t high, std::uint32_t low) {
  const int product = static_cast<std::int32_t>(high) >> 16;
  return (boost::format("%d.%d.%d.%d") % product % (high & 0xFFFF) % (low >> 16) % (low & 0xFFFF)).str();
}

std::string StoreGraphicsAdapters(MachineInfoRecord& info,
                                  const std::optional<std::vector<GraphicsAdapterRecord>>& adapters) {
  if (!adapters) return {};
  std::string& list = info["GPUs"];
  list.clear();
  const GraphicsAdapterRecord* first = nullptr;
  for (const GraphicsAdapterRecord& adapter : *adapters) {
    if (!adapter.readable) continue;
    if (first == nullptr) first = &adapter;
    list += TrimWhitespace(adapter.description) + ' ' +
            DriverVersionText(adapter.driver_version_high, adapter.driver_version_low) + ';';
  }
  if (first == nullptr) return {};
  info["GPU"] = TrimWhitespace(first->description);
  info["GPU Driver"] = DriverVersionText(first->driver_version_high, first->driver_version_low);
  return list;
}

std::string ProbeGraphicsAdapters() { return StoreGraphicsAdapters(MachineInfo(), QueryGraphicsAdapters()); }
