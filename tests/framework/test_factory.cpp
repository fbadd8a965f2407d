// A stand-in for the UI component library, for the loader's tests. Built
// three times: as VelumFab itself, without the CreateComponent export
// (TEST_FACTORY_EXPORT names another function), and with a CreateComponent
// that returns null (TEST_FACTORY_RETURNS_NULL).
#include "framework/velum.h"

namespace {

int g_destroyed = 0;

class TestComponent : public Velum::IComponent {
 public:
  explicit TestComponent(unsigned id) : id_(id) {}
  int GetComponentId() override { return static_cast<int>(id_); }
  int Reserved1() override { return 1; }
  void Destroy(int) override {
    ++g_destroyed;
    delete this;
  }
  int Reserved2() override { return 0; }
  void Init(int) override { initialised = true; }
  void Reserved3() override {}
  void Reserved4() override {}
  void Reserved5() override {}
  bool initialised = false;

 private:
  virtual ~TestComponent() = default;
  unsigned id_;
};

// Keeps the script manager (785) for the process; every other component
// goes back to its owner to be destroyed.
class TestFactory : public Velum::ComponentFactory {
 public:
  int GetComponentId() override { return static_cast<int>(Velum::kComponentFactoryId); }
  int Reserved1() override { return 1; }
  void Destroy(int) override {}
  int Reserved2() override { return 0; }
  void Init(int) override {}
  void Reserved3() override {}
  void Reserved4() override {}
  void Reserved5() override {}
  Velum::IComponent* Create(unsigned id, int) override {
    return id == Velum::kUILuaScriptManagerId || id == Velum::kUILibId ? new TestComponent(id) : nullptr;
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
