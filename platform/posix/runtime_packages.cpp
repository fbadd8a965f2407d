#include "platform/runtime_packages.h"

// There is no registry of installed Windows runtime packages here.
std::vector<std::vector<UninstallEntry>> QueryUninstallKeys() { return {}; }
