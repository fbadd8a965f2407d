#pragma once

#include <cstddef>
#include <string>

// GetPrivateProfileString: the value of `key` in `section` of the
// initialisation file `path` (names without regard to case), or
// `default_value` without trailing blanks when there is none; at most
// `capacity` - 1 characters. A missing file gives the default.
std::string ReadProfileString(const std::string& path, const char* section, const char* key,
                              const char* default_value, std::size_t capacity);
