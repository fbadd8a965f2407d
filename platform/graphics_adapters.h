#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One adapter ordinal: either its identifier could not be read, or its
// description and 64-bit driver version (as two 32-bit halves).
struct GraphicsAdapterRecord {
  bool readable = false;
  std::string description;
  std::uint32_t driver_version_high = 0;
  std::uint32_t driver_version_low = 0;
};

// The graphics adapters in ordinal order (the first is the primary display
// adapter), or nothing when the graphics interface cannot be started.
std::optional<std::vector<GraphicsAdapterRecord>> QueryGraphicsAdapters();
