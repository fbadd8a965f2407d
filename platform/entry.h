#pragma once

#include <string>
#include <vector>

// The program proper, called by the platform's process entry with the
// command-line arguments (without the program name); returns the exit code.
int MachineCheckMain(const std::vector<std::string>& args);
