#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/machine_info.h"
#include "platform/graphics_adapters.h"

// "%d.%d.%d.%d" of a driver version: the high half's upper 16 bits signed,
// the other three 16-bit fields unsigned.
std::string DriverVersionText(std::uint32_t high, std::uint32_t low);

// Lists every readable adapter under "GPUs" and records the first one as
// "GPU" and "GPU Driver"; returns "GPUs", or "" when there is no adapter.
std::string ProbeGraphicsAdapters();
std::string StoreGraphicsAdapters(MachineInfoRecord& info, const std::optional<std::vector<GraphicsAdapterRecord>>& adapters);
