#pragma once

#include <string>

// Runs every probe in a fixed order, refreshing the machine facts in the
// machine info record, and renders them as the labelled probe summary.
std::string ProbeSummary();
