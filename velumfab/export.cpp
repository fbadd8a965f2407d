// The library's one exported function. Everything else stays inside.
#include "platform/dynamic_library.h"
#include "velumfab/backends.h"
#include "velumfab/core/factory.h"

namespace {

// An address inside this library, to find the file it was loaded from.
const char kInsideThisLibrary = 0;

std::string LibraryDirectory() {
  const std::string path = ModulePathOf(&kInsideThisLibrary);
  const std::size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

VelumFab::Factory& TheFactory() {
  static VelumFab::Factory factory(LibraryDirectory(), VelumFab::BuiltBackends());
  return factory;
}

}  // namespace

// CreateComponent(361, 0) gives the component factory; any other id, null.
extern "C" VELUMFAB_EXPORT Velum::IComponent* CreateComponent(unsigned component_id, int) {
  return component_id == Velum::kComponentFactoryId ? &TheFactory() : nullptr;
}
