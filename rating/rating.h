#pragma once

#include <cstdint>

// Rates the machine described by "CPU", "GPU" and "RAM Bytes" of the machine
// info record and writes "LowDevices", "OutDevices", "Level", "GainExtra"
// and "Gain". An empty record is filled by probing this machine first. A
// "RAM Bytes" value that is not a number rates as no memory.
void RateMachine();

// The bonus of a machine in tier `tier` (0 best to 4), interpolated within
// the tier's bonus range by the square root of the score product; tiers
// whose range is empty get a pseudo-random 1 to 50.
int ComputeGainExtra(std::int32_t graphics_score, int tier, std::int32_t processor_score);
