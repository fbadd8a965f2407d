#pragma once

#include <cstddef>
#include <string>

namespace Velum {

// The name of this process's settings channel: its process id, then
// "MOX_Share_Mem". Modules loaded into the process open it by that name.
std::string SettingChannelName();

// The channel holds one address; on a 64-bit system that takes 8 bytes.
constexpr std::size_t kSettingChannelSize = sizeof(void*);

}  // namespace Velum
