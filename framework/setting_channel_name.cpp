#include "framework/setting_channel_name.h"

#include <cstdio>

#include "platform/process_info.h"

namespace Velum {

std::string SettingChannelName() {
  char name[32] = {};
  std::snprintf(name, sizeof name, "%luMOX_Share_Mem", CurrentProcessId());
  return name;
}

}  // namespace Velum
