#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/system_facts.h"

// Each probe asks the platform, stores its facts in the machine info record
// and returns its line of the probe summary. The Store steps take the raw
// facts, so that they can be driven with any input.

std::string ProbeOsVersion();
std::string StoreOsVersion(const OsVersion& version);

std::string ProbeMemory();
std::string StoreMemory(std::uint64_t total_bytes);

// Returns "" and writes nothing when the display mode cannot be read.
std::string ProbeDisplayMode();
std::string StoreDisplayMode(const std::optional<DisplayMode>& mode);

// Returns the brand string as the processor gives it; "CPU" holds it trimmed.
std::string ProbeCpuName();
std::string StoreCpuName(const CpuBrandBytes& brand);
