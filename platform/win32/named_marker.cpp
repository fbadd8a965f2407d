#include "platform/named_marker.h"

#include <windows.h>

// The marker is a named mutex in the logon session's namespace. It is never
// waited on; the handles stay open for the life of the process, which keeps
// the mutex in existence.

bool FindNamedMarker(const std::string& name) { return OpenMutexA(SYNCHRONIZE, FALSE, name.c_str()) != nullptr; }

void CreateNamedMarker(const std::string& name) { CreateMutexA(nullptr, FALSE, name.c_str()); }
