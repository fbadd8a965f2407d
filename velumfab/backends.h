#pragma once

#include "velumfab/core/ui_lib.h"

namespace VelumFab {

// The backends this build has: the script backend, and the native one of
// its platform (terminal on Linux, win32 on Windows), which is the default.
BackendCatalog BuiltBackends();

// The native backend, built for one platform only.
extern const char kNativeBackendName[];
std::unique_ptr<Backend> MakeNativeBackend(const LibrarySettings& settings, const HostServices& host);

}  // namespace VelumFab
