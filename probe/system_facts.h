#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/machine_info.h"
#include "platform/system_facts.h"

// Each probe asks the platform, stores its facts in the process's machine
// info record and returns its line of the probe summary. The Store steps
// take the record and the raw facts, so that they can be driven with any
// input.

std::string ProbeOsVersion();
std::string StoreOsVersion(MachineInfoRecord& info, const OsVersion& version);

std::string ProbeMemory();
std::string StoreMemory(MachineInfoRecord& info, std::uint64_t total_bytes);

// Returns "" and writes nothing when the display mode cannot be read.
std::string ProbeDisplayMode();
std::string StoreDisplayMode(MachineInfoRecord& info, const std::optional<DisplayMode>& mode);

// Returns the brand string as the processor gives it; "CPU" holds it trimmed.
std::string ProbeCpuName();
std::string StoreCpuName(MachineInfoRecord& info, const CpuBrandBytes& brand);
