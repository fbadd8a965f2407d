#include "platform/settings_paths.h"

#include "platform/process_info.h"

bool IsAbsoluteSettingsPath(const std::string& path) {
  return path.find(':') != std::string::npos || StartsAtTheRoot(path);
}

std::string SettingsPathIn(const std::string& directory, const std::string& name) {
  if (IsAbsoluteSettingsPath(name) || directory.empty()) return name;
  const char last = directory.back();
  return last == '/' || last == '\\' ? directory + name : directory + PathSeparator() + name;
}
