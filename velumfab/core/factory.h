#pragma once

#include <string>

#include "framework/component_base.h"
#include "velumfab/core/ui_lib.h"

namespace VelumFab {

// The script manager (785). The library runs no scripts; the component
// exists because the host asks for it, and the factory keeps it for the
// process.
class ScriptManager final : public Velum::Component<Velum::IUILuaScriptManager, Velum::kUILuaScriptManagerId> {
 public:
  void Destroy(int) override {}
};

// The component factory (361), one per process: a new UI library for each
// Create(186), the one script manager for every Create(785).
class Factory final : public Velum::Component<Velum::ComponentFactory, Velum::kComponentFactoryId> {
 public:
  Factory(std::string directory, const BackendTable& backends);

  void Destroy(int) override {}
  Velum::IComponent* Create(unsigned component_id, int) override;
  // Nonzero for the script manager, which the factory keeps; 0 for every
  // other component, which its owner then destroys.
  int ReleaseComponent(Velum::IComponent* component) override;

 private:
  std::string directory_;
  const BackendTable& backends_;
  ScriptManager script_manager_;
};

}  // namespace VelumFab
