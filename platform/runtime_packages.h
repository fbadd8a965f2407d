#pragma once

#include <optional>
#include <string>
#include <vector>

// One subkey of an uninstall key: its name and, where it can be read, its
// display name.
struct UninstallEntry {
  std::string subkey;
  std::optional<std::string> display_name;
};

// The subkeys of each uninstall key that could be opened, in the order the
// keys are read. Systems without a registry have none.
std::vector<std::vector<UninstallEntry>> QueryUninstallKeys();
