#pragma once

#include <string>

// Rates the machine and renders processor score, graphics score, level and
// bonus as one line; a device missing from its table shows "[NOT FOUND]".
std::string RatingSummary();
