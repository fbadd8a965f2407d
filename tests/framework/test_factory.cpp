// A stand-in for the UI component library, for the loader's tests. Built
// three times: as VelumFab itself, without the CreateComponent export
// (TEST_FACTORY_EXPORT names another function), and with a CreateComponent
// that returns null (TEST_FACTORY_RETURNS_NULL).
#include "framework/component_base.h"

namespace {

int g_destroyed = 0;

// Counts its destruction, so the tests can see the release rule at work.
template <typename Interface, unsigned kId>
class CountedComponent : public Velum::Component<Interface, kId> {
 public:
  ~CountedComponent() override { ++g_destroyed; }
};

class TestUILib : public CountedComponent<Velum::IUILib, Velum::kUILibId> {
 public:
  int LoadLayout(const char*, int) override { return 0; }
  void Shutdown() override {}
  int GetControlId(const char*, int) override { return 0; }
  Velum::IControl* GetControl(int) override { return nullptr; }
  int GetFocusControlId() override { return 0; }
  void SetEventSink(int, Velum::IUILibEvent*) override {}
};

using TestScriptManager = CountedComponent<Velum::IUILuaScriptManager, Velum::kUILuaScriptManagerId>;

// Keeps the script manager (785) for the process; every other component
// goes back to its owner to be destroyed.
class TestFactory : public Velum::Component<Velum::ComponentFactory, Velum::kComponentFactoryId> {
 public:
  void Destroy(int) override {}
  Velum::IComponent* Create(unsigned id, int) override {
    if (id == Velum::kUILuaScriptManagerId) return new TestScriptManager();
    if (id == Velum::kUILibId) return new TestUILib();
    return nullptr;
  }
  int ReleaseComponent(Velum::IComponent* component) override {
    return component->GetComponentId() == static_cast<int>(Velum::kUILuaScriptManagerId) ? 1 : 0;
  }
};

TestFactory g_factory;

}  // namespace

extern "C" Velum::IComponent* TEST_FACTORY_EXPORT(unsigned id, int) {
  if (TEST_FACTORY_RETURNS_NULL || id != Velum::kComponentFactoryId) return nullptr;
  return &g_factory;
}

extern "C" int DestroyedComponents() { return g_destroyed; }
