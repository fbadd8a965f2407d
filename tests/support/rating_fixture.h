#pragma once

#include <cstdint>
#include <string>

#include "app/machine_info.h"
#include "rating/score_table.h"

// Puts a processor and a graphics adapter with the given scores into the
// process-wide tables (0 leaves the device out of its table) and returns a
// record that describes that machine.
inline MachineInfoRecord DescribeMachine(std::int32_t graphics_score, std::int32_t processor_score,
                                         std::uint64_t memory_bytes) {
  const std::string graphics = "Test Graphics " + std::to_string(graphics_score);
  const std::string processor = "Test Processor " + std::to_string(processor_score);
  if (graphics_score != 0) GpuTable().FindOrInsert(graphics) = graphics_score;
  if (processor_score != 0) CpuTable().FindOrInsert(processor) = processor_score;
  MachineInfoRecord info;
  info["GPU"] = graphics_score != 0 ? graphics : "Graphics missing from the table";
  info["CPU"] = processor_score != 0 ? processor : "Processor missing from the table";
  info["RAM Bytes"] = std::to_string(memory_bytes);
  return info;
}

inline constexpr std::uint64_t kGiB = 1073741824ULL;
inline constexpr std::uint64_t kMiB = 1048576ULL;
