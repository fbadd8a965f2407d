#include "platform/runtime_packages.h"

#include <windows.h>

#include <cstring>

namespace {

const char* const kUninstallKeys[] = {
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
    "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
};

std::optional<std::string> DisplayNameOf(HKEY key, const char* subkey_name) {
  HKEY subkey = nullptr;
  if (RegOpenKeyA(key, subkey_name, &subkey) != ERROR_SUCCESS) return std::nullopt;
  char name[256] = {};
  DWORD size = sizeof name;
  DWORD type = 0;
  const LONG result = RegQueryValueExA(subkey, "DisplayName", nullptr, &type, reinterpret_cast<BYTE*>(name), &size);
  RegCloseKey(subkey);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  return std::string(name, strnlen(name, sizeof name));
}

}  // namespace

std::vector<std::vector<UninstallEntry>> QueryUninstallKeys() {
  std::vector<std::vector<UninstallEntry>> keys;
  for (const char* path : kUninstallKeys) {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, path, &key) != ERROR_SUCCESS) continue;
    std::vector<UninstallEntry> entries;
    char subkey[260] = {};
    for (DWORD index = 0; RegEnumKeyA(key, index, subkey, sizeof subkey) == ERROR_SUCCESS; ++index) {
      entries.push_back({subkey, DisplayNameOf(key, subkey)});
    }
    RegCloseKey(key);
    keys.push_back(std::move(entries));
  }
  return keys;
}
