#include "velumfab/core/factory.h"

#include <new>

namespace VelumFab {

Factory::Factory(std::string directory, const BackendTable& backends)
    : directory_(std::move(directory)), backends_(backends) {}

Velum::IComponent* Factory::Create(unsigned component_id, int) {
  if (component_id == Velum::kUILibId) return new (std::nothrow) UILib(directory_, backends_);
  if (component_id == Velum::kUILuaScriptManagerId) return &script_manager_;
  return nullptr;
}

int Factory::ReleaseComponent(Velum::IComponent* component) { return component == &script_manager_ ? 1 : 0; }

}  // namespace VelumFab
