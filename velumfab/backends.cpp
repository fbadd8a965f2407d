#include "velumfab/backends.h"

#include "velumfab/script/script_backend.h"

namespace VelumFab {

namespace {

std::unique_ptr<Backend> MakeBackend(const LibrarySettings& settings, const HostServices& host, std::string& error) {
  if (settings.backend == "script") return std::make_unique<ScriptBackend>(settings, host);
  if (settings.backend == kNativeBackendName) return MakeNativeBackend(settings, host);
  error = "this build has no backend \"" + settings.backend + "\"; it has " + kNativeBackendName + " and script";
  return nullptr;
}

}  // namespace

BackendCatalog BuiltBackends() { return BackendCatalog{kNativeBackendName, MakeBackend}; }

}  // namespace VelumFab
