#include "platform/profile_settings.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/profile_text.h"

namespace {

// Larger settings files are not read: the profile API's files are small.
constexpr std::uintmax_t kMaxSettingsBytes = 1 << 20;

// The text of the file at `path`, or "" when it is not a readable regular
// file of sane size (a folder, a device, a file that cannot be read), as the
// profile API gives the default for a file it cannot read.
std::string SettingsText(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return {};
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kMaxSettingsBytes) return {};
  std::ifstream file(path, std::ios::binary);
  if (!file) return {};
  std::string text(std::istreambuf_iterator<char>(file), {});
  return file.bad() ? std::string() : text;
}

}  // namespace

std::string ReadProfileString(const std::string& path, const char* section, const char* key,
                              const char* default_value, std::size_t capacity) {
  return ProfileStringFromText(SettingsText(path), section, key, default_value, capacity);
}
