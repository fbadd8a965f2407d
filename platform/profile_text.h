#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The value of `key` in `section` of an initialisation file's text, with
// the rules of the Windows profile-string API: section and key names match
// without regard to case, names and values lose surrounding blanks, a value
// in matching quotes loses them, the first section and the first key of a
// name count. Nothing when the file has no such key.
std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section, std::string_view key);

// What GetPrivateProfileString gives for that text: the value, or
// `default_value` without trailing blanks; at most `capacity` - 1 characters.
std::string ProfileStringFromText(std::string_view text, const char* section, const char* key,
                                  const char* default_value, std::size_t capacity);
