// The shipped library, loaded as the program loads it: by the host's loader
// through the Velum.ini beside this test program, with the host's services
// published on the settings channel.
#include <cstdlib>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "framework/component_loader.h"
#include "framework/default_services.h"
#include "platform/environment.h"
#include "support/scratch_directory.h"

namespace {

using namespace Velum;

std::string g_reports;
void CaptureReport(const char* text) { g_reports += text; }

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

class LibraryLoadingTest : public testing::Test {
 protected:
  LibraryLoadingTest() {
    SetFrameworkErrorSink(CaptureReport);
    EnsureComponentFactory();
  }
  ComponentFactory* factory() { return TheComponentFactory(); }
};

// Quits on Btn_Close, as the program does.
class ClosingSink final : public IUILibEvent {
 public:
  explicit ClosingSink(IUILib& lib) : lib_(lib) {}
  int IsEventSink() override { return 1; }
  void OnEvent(int id, IVariableParam* event) override {
    const int close = lib_.GetControlId("Btn_Close", 0);
    if (id == close && event->GetInt(kEventCodeKey, 0) == kEventClick) lib_.GetControl(lib_.GetControlId("Main", 0))->EndModal(id);
  }

 private:
  IUILib& lib_;
};

TEST_F(LibraryLoadingTest, TheShippedSettingsFindTheLibraryAndItsFactoryKeepsOnlyTheScriptManager) {
  ASSERT_NE(factory(), nullptr) << g_reports;
  EXPECT_EQ(g_reports, "");
  EXPECT_EQ(factory()->GetComponentId(), 361);
  EXPECT_EQ(factory()->Create(999, 0), nullptr);

  DefaultSetting setting;
  IUILuaScriptManager* manager = setting.GetScriptManager();
  ASSERT_NE(manager, nullptr);
  EXPECT_EQ(manager->GetComponentId(), 785);
  EXPECT_EQ(factory()->Create(kUILuaScriptManagerId, 0), manager);  // kept: the same one every time
  EXPECT_NE(factory()->ReleaseComponent(manager), 0);

  IComponent* lib = factory()->Create(kUILibId, 0);
  ASSERT_NE(lib, nullptr);
  EXPECT_EQ(lib->GetComponentId(), 186);
  EXPECT_EQ(factory()->ReleaseComponent(lib), 0);  // the owner destroys it
  TVelumPtr<IUILib> released(static_cast<IUILib*>(lib));
}

TEST_F(LibraryLoadingTest, TheShippedLayoutLoadsAndEditsAreFoundByTheCheckedCast) {
  ASSERT_NE(factory(), nullptr) << g_reports;
  TVelumPtr<IUILib> lib(static_cast<IUILib*>(factory()->Create(kUILibId, 0)));
  lib->Init(0);
  ASSERT_EQ(lib->LoadLayout("Main.mox", 0), 1);
  EXPECT_NE(dynamic_cast<ITEdit*>(lib->GetControl(lib->GetControlId("Edit_Orbi", 0))), nullptr);
  EXPECT_EQ(dynamic_cast<ITEdit*>(lib->GetControl(lib->GetControlId("Button_Start", 0))), nullptr);
  EXPECT_EQ(lib->GetControl(lib->GetControlId("No_Such_Control", 0)), nullptr);
  EXPECT_EQ(lib->LoadLayout("Missing.mox", 0), 0);
  lib->Shutdown();
  // The library writes its diagnostics to the host's event log.
  const std::string log = ReadAll("NewVelumLog.txt");
  EXPECT_NE(log.find("VelumFab: layout "), std::string::npos) << log;
  EXPECT_NE(log.find("VelumFab: no control is named \"No_Such_Control\""), std::string::npos);
  EXPECT_NE(log.find("VelumFab: cannot read the layout "), std::string::npos);
}

TEST_F(LibraryLoadingTest, TheScriptBackendPlaysItsStepsAndWritesATranscript) {
  ASSERT_NE(factory(), nullptr) << g_reports;
  ScratchDirectory dir("machinecheck-script");
  const std::string script = dir.File("steps.txt");
  const std::string transcript = dir.File("transcript.txt");
  std::ofstream(script) << "type Edit_Orbi 12345\nkey Edit_Orbi Tab\nexpect focus Combo_Age\nclick Btn_Close\n";
  SetEnvironmentText("VELUM_BACKEND", "script");
  SetEnvironmentText("VELUM_SCRIPT", script);
  SetEnvironmentText("VELUM_TRANSCRIPT", transcript);

  TVelumPtr<IUILib> lib(static_cast<IUILib*>(factory()->Create(kUILibId, 0)));
  lib->Init(0);
  ASSERT_EQ(lib->LoadLayout("Main.mox", 0), 1);
  ClosingSink sink(*lib.get());
  lib->SetEventSink(1, &sink);
  IControl* main = lib->GetControl(lib->GetControlId("Main", 0));
  EXPECT_EQ(main->RunModal(), lib->GetControlId("Btn_Close", 0));
  EXPECT_STREQ(lib->GetControl(lib->GetControlId("Edit_Orbi", 0))->GetText(), "12345");
  lib->Shutdown();

  const std::string written = ReadAll(transcript);
  EXPECT_NE(written.find("open Main \"Corvo 封测机器检测\""), std::string::npos) << written;
  EXPECT_NE(written.find("text Edit_Orbi \"12345\""), std::string::npos);
  EXPECT_NE(written.find("event Edit_Orbi edit-key key-down Tab: not handled"), std::string::npos);
  EXPECT_NE(written.find("event Btn_Close click: not handled"), std::string::npos) << written;
  EXPECT_NE(written.find("close Main\nscript passed"), std::string::npos);
}

}  // namespace
