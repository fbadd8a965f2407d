#pragma once

#include <string>
#include <string_view>

// Reduces a device name to the form under which score-table names match:
// trademark and driver remarks in parentheses or brackets, the words CPU,
// GPU and Processor, a leading ATI/AMD vendor prefix, the "@?%" marker and
// all white space are removed, and ASCII letters are upper-cased.
std::string NormalizeDeviceName(std::string_view name);

// The same, written into `out` (whose storage is reused).
void NormalizeDeviceNameInto(std::string_view name, std::string& out);

// Order of the score tables: byte-wise (unsigned) order of the normalised forms.
bool DeviceNameLess(std::string_view a, std::string_view b);
