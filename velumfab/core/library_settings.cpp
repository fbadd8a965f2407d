#include "velumfab/core/library_settings.h"

#include <cstdlib>

#include "platform/profile_settings.h"
#include "platform/settings_paths.h"

namespace VelumFab {

namespace {

constexpr std::size_t kValueCapacity = 1024;

// The environment's value, else Velum.ini's (from its folder), else "".
std::string Setting(const std::string& ini, const std::string& directory, const char* key, const char* variable,
                    bool is_path, std::string* source = nullptr) {
  const char* from_environment = std::getenv(variable);
  if (from_environment != nullptr && *from_environment != '\0') {
    if (source != nullptr) *source = std::string("environment variable ") + variable;
    return from_environment;
  }
  const std::string value = ReadProfileString(ini, "VelumFab", key, "", kValueCapacity);
  if (value.empty()) return value;
  if (source != nullptr) *source = ini;
  return is_path ? SettingsPathIn(directory, value) : value;
}

}  // namespace

LibrarySettings ReadLibrarySettings(const std::string& directory, const std::string& default_backend) {
  LibrarySettings settings;
  settings.directory = directory;
  const std::string ini = SettingsPathIn(directory, "Velum.ini");
  settings.backend = Setting(ini, directory, "Backend", "VELUM_BACKEND", false, &settings.backend_source);
  if (settings.backend.empty()) {
    settings.backend = default_backend;
    settings.backend_source = "the build's default";
  }
  settings.script = Setting(ini, directory, "Script", "VELUM_SCRIPT", true);
  settings.transcript = Setting(ini, directory, "Transcript", "VELUM_TRANSCRIPT", true);
  return settings;
}

}  // namespace VelumFab
