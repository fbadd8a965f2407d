#pragma once

#include <cstdint>
#include <string>

#include "app/machine_info.h"

// Which of a machine's three devices a rating names.
struct DeviceFlags {
  bool graphics = false;
  bool processor = false;
  bool memory = false;
};

// The rating of one machine.
struct MachineRating {
  DeviceFlags low_devices;  // devices in the two lowest tiers
  DeviceFlags out_devices;  // devices missing from their table (memory never is)
  int level = -1;           // 1 (best) to 5, or -1 when a device is missing
  int gain_extra = 0;
  int gain = 0;
};

// Rates a machine from its two table scores (0: missing from the table) and
// its memory in bytes.
MachineRating RateScores(std::int32_t processor_score, std::int32_t graphics_score, std::uint64_t memory_bytes);

// The device words of `devices`, in the order graphics, processor, memory,
// separated by "/".
std::string DeviceWords(const DeviceFlags& devices);

// Rates the machine described by "CPU", "GPU" and "RAM Bytes" of `info` and
// writes "LowDevices", "OutDevices", "Level", "GainExtra" and "Gain". A
// "RAM Bytes" value that is not a number rates as no memory.
void RateRecord(MachineInfoRecord& info);

// Writes `rating` under the five keys RateRecord writes.
void StoreRating(MachineInfoRecord& info, const MachineRating& rating);

// RateRecord on the process's record; an empty record is filled by probing
// this machine first.
void RateMachine();

// The bonus of a machine in tier `tier` (0 best to 4), interpolated within
// the tier's bonus range by the square root of the score product; tiers
// whose range is empty get a pseudo-random 1 to 50.
int ComputeGainExtra(std::int32_t graphics_score, int tier, std::int32_t processor_score);
