#include "platform/environment.h"

#include <stdlib.h>

// The C runtime's copy, which getenv reads, and the process's own.
void SetEnvironmentText(const std::string& name, const std::string& value) {
  _putenv_s(name.c_str(), value.c_str());
}
