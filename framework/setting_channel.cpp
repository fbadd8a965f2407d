#include "framework/setting_channel.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "platform/shared_mapping.h"

namespace Velum {

namespace {

// The settings object stays until the process is gone: the library, and
// other static teardown, may still use it and its services while static
// objects go. Only the mapping is closed at exit.
struct Channel {
  SharedMapping mapping;
  DefaultSetting* setting = nullptr;

  ~Channel() { CloseSharedMapping(mapping); }
};

Channel& TheChannel() {
  static Channel channel;
  return channel;
}

const bool kPublished = (PublishDefaultSetting(), true);

}  // namespace

void PublishDefaultSetting() {
  Channel& channel = TheChannel();
  if (channel.mapping.view != nullptr) return;
  unsigned long error = 0;
  MappingStep failed_step = MappingStep::kCreate;
  channel.mapping = CreateSharedMapping(SettingChannelName(), kSettingChannelSize, error, failed_step);
  if (channel.mapping.view == nullptr) {
    std::printf(failed_step == MappingStep::kCreate ? "Could not open file mapping object (%d).\n"
                                                    : "Could not map view of file (%d).\n",
                static_cast<int>(error));
    return;
  }
  RemoveOnTerminationSignals(channel.mapping);
  channel.setting = new (std::nothrow) DefaultSetting();
  ISetting* published = channel.setting;
  std::memcpy(channel.mapping.view, &published, sizeof published);
}

DefaultSetting* PublishedSetting() { return TheChannel().setting; }

void LogToEventLog(const std::string& text, int level) {
  DefaultSetting* setting = PublishedSetting();
  if (setting == nullptr) return;
  ILogger* logger = nullptr;
  try {
    logger = setting->GetLogger();
  } catch (const char*) {
    logger = setting->GetLogger();  // the second request hands out the logger without a file
  }
  if (logger != nullptr) logger->log(text.c_str(), level);
}

std::string LibraryValue(const char* name) {
  DefaultSetting* setting = PublishedSetting();
  const char* value = setting == nullptr ? nullptr : setting->GetValue(name);
  return value == nullptr ? std::string() : value;
}

}  // namespace Velum
