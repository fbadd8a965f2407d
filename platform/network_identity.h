#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

struct NetworkAdapterRecord {
  std::array<unsigned char, 6> address{};  // the first six hardware-address bytes
  std::string name;
  std::string description;
};

// The network adapters in the system's order, or nothing when the list
// cannot be read.
std::optional<std::vector<NetworkAdapterRecord>> QueryNetworkAdapters();

// The user running the process and the machine's host name; "" when unknown.
std::string QueryUserName();
std::string QueryHostName();
