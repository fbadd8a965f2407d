#pragma once

#include <string>

// Sets the environment variable `name` of this process, for every module
// of it to read with getenv.
void SetEnvironmentText(const std::string& name, const std::string& value);
