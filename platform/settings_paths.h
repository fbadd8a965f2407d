#pragma once

#include <string>

// Paths in the framework's settings files (Velum.ini and the files it
// redirects to), read by the host's loader and by the UI library alike.

// Absolute: a drive letter's colon anywhere, or the root ("/" or "\").
bool IsAbsoluteSettingsPath(const std::string& path);

// `name` in `directory`, unless `name` is absolute (or there is no
// directory): then `name` as it is.
std::string SettingsPathIn(const std::string& directory, const std::string& name);
