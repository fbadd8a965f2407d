#pragma once

#include <string>

#include "app/machine_info.h"

// Rates the machine of `info` and renders processor score, graphics score,
// level and bonus as one line; a device missing from its table shows
// "[NOT FOUND]".
std::string RatingSummary(MachineInfoRecord& info);

// RatingSummary of the process's record, rated by RateMachine.
std::string RatingSummary();
