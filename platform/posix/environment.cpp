#include "platform/environment.h"

#include <cstdlib>

void SetEnvironmentText(const std::string& name, const std::string& value) { setenv(name.c_str(), value.c_str(), 1); }
