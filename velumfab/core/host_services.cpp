#include "velumfab/core/host_services.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "framework/setting_channel_name.h"
#include "platform/shared_mapping.h"

namespace VelumFab {

namespace {

// The logger; its first request throws when the host cannot open its log
// file, and the next one hands out the same logger, keeping lines in memory.
Velum::ILogger* LoggerOf(Velum::ISetting* setting) {
  try {
    return setting->GetLogger();
  } catch (...) {
    return setting->GetLogger();
  }
}

std::optional<std::string> ReadDirectly(const std::string& path, std::size_t max_bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string text;
  char buffer[4096];
  while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
    text.append(buffer, static_cast<std::size_t>(file.gcount()));
    if (text.size() > max_bytes) return std::nullopt;
  }
  if (file.bad()) return std::nullopt;
  return text;
}

}  // namespace

HostServices::HostServices(Velum::ISetting* setting) : setting_(setting) {
  if (setting == nullptr) return;
  logger_ = LoggerOf(setting);
  files_ = setting->GetFileSys();
}

HostServices HostServices::OfThisProcess() {
  SharedMapping channel = OpenSharedMapping(Velum::SettingChannelName(), Velum::kSettingChannelSize);
  Velum::ISetting* setting = nullptr;
  if (channel.view != nullptr) std::memcpy(&setting, channel.view, sizeof setting);
  CloseSharedMapping(channel);
  return HostServices(setting);
}

void HostServices::Log(int level, const std::string& message) const {
  if (logger_ != nullptr) logger_->log(("VelumFab: " + message).c_str(), level);
}

void HostServices::SetValue(const char* name, const std::string& value) const {
  if (setting_ != nullptr) setting_->SetValue(name, value.c_str());
}

std::optional<std::string> HostServices::ReadFile(const std::string& path, std::size_t max_bytes) const {
  if (files_ == nullptr) return ReadDirectly(path, max_bytes);
  Velum::FileHandle file = files_->Open(path.c_str());
  if (file == Velum::kNoFile || file == nullptr) return std::nullopt;
  const int size = files_->GetSize(file);
  std::optional<std::string> text;
  if (size == 0) {
    text.emplace();
  } else if (size > 0 && static_cast<std::size_t>(size) <= max_bytes) {
    std::string buffer(static_cast<std::size_t>(size), '\0');
    if (files_->Read(file, buffer.data(), static_cast<unsigned>(size)) == size) text = std::move(buffer);
  }
  files_->Close(file);
  return text;
}

}  // namespace VelumFab
