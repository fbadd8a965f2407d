#include "platform/profile_settings.h"

#include <fstream>
#include <iterator>

#include "platform/profile_text.h"

std::string ReadProfileString(const std::string& path, const char* section, const char* key,
                              const char* default_value, std::size_t capacity) {
  std::ifstream file(path, std::ios::binary);
  const std::string text = file ? std::string(std::istreambuf_iterator<char>(file), {}) : std::string();
  return ProfileStringFromText(text, section, key, default_value, capacity);
}
