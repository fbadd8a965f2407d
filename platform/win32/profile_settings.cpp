#include "platform/profile_settings.h"

#include <windows.h>

#include <vector>

std::string ReadProfileString(const std::string& path, const char* section, const char* key,
                              const char* default_value, std::size_t capacity) {
  std::vector<char> buffer(capacity, '\0');
  const DWORD length = GetPrivateProfileStringA(section, key, default_value, buffer.data(),
                                                static_cast<DWORD>(capacity), path.c_str());
  return std::string(buffer.data(), length);
}
