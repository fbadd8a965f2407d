#pragma once

#include <string>
#include <string_view>

// Names a display adapter the way its Windows driver does (vendor, then
// marketing name: "NVIDIA GeForce RTX 3080"), from the text of a pci.ids
// database. Unknown devices are named by their vendor and device numbers.
std::string DisplayAdapterName(std::string_view pci_ids, unsigned vendor_id, unsigned device_id);
