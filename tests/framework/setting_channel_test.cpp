#include "framework/setting_channel.h"

#include <cstring>

#include <gtest/gtest.h>

#include "platform/process_info.h"
#include "platform/shared_mapping.h"

namespace {

TEST(SettingChannel, IsNamedAfterTheProcess) {
  EXPECT_EQ(Velum::SettingChannelName(), std::to_string(CurrentProcessId()) + "MOX_Share_Mem");
}

// What a module loaded into the process does to find the host's services.
TEST(SettingChannel, AModuleFindsTheSettingsObjectByName) {
  ASSERT_NE(Velum::PublishedSetting(), nullptr);
  SharedMapping channel = OpenSharedMapping(Velum::SettingChannelName(), sizeof(void*));
  ASSERT_NE(channel.view, nullptr);
  Velum::ISetting* found = nullptr;
  std::memcpy(&found, channel.view, sizeof found);
  CloseSharedMapping(channel);
  EXPECT_EQ(found, static_cast<Velum::ISetting*>(Velum::PublishedSetting()));
  EXPECT_EQ(found->GetFileSys(), Velum::PublishedSetting()->GetFileSys());
}

}  // namespace
