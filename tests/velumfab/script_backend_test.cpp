// The script backend's drawing of the shipped dialog: its transcript, in a
// file of the test's own, as the player's steps are played on the core.
#include "velumfab/script/script_backend.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "platform/environment.h"
#include "support/scratch_directory.h"
#include "velumfab/core/ui_lib.h"

namespace {

using namespace VelumFab;

const BackendTable kScript{{"script", MakeScriptBackend}};

// Closes the dialog from its close button, as the program does.
class ClosingSink final : public Velum::IUILibEvent {
 public:
  explicit ClosingSink(UILib& lib) : lib_(lib) {}
  int IsEventSink() override { return 1; }
  void OnEvent(int id, Velum::IVariableParam* event) override {
    if (id == lib_.GetControlId("Btn_Close", 0) && event->GetInt(Velum::kEventCodeKey, 0) == Velum::kEventClick) {
      lib_.EndModal(lib_.GetControlId("Main", 0), id);
    }
  }

 private:
  UILib& lib_;
};

class ScriptBackendTest : public testing::Test {
 protected:
  // Plays `steps` on the shipped dialog; the transcript it wrote.
  std::string Play(const std::string& steps, int& closed_by) {
    std::ofstream(dir_.File("steps.txt")) << steps;
    SetEnvironmentText("VELUM_BACKEND", "script");
    SetEnvironmentText("VELUM_SCRIPT", dir_.File("steps.txt"));
    SetEnvironmentText("VELUM_TRANSCRIPT", dir_.File("transcript.txt"));
    UILib lib(MC_BUILD_DIR, kScript);
    lib.Init(0);
    EXPECT_EQ(lib.LoadLayout("Main.mox", 0), 1);
    ClosingSink sink(lib);
    lib.SetEventSink(1, &sink);
    lib.SetText(lib.GetControlId("Static_Captcha", 0), "3412");
    closed_by = lib.RunModal(lib.GetControlId("Main", 0)) == lib.GetControlId("Btn_Close", 0);
    lib.Shutdown();
    for (const char* variable : {"VELUM_BACKEND", "VELUM_SCRIPT", "VELUM_TRANSCRIPT"}) SetEnvironmentText(variable, "");
    std::ifstream file(dir_.File("transcript.txt"), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

  ScratchDirectory dir_{"machinecheck-script-backend"};
};

TEST_F(ScriptBackendTest, WritesWhatTheDialogShowsAndDoes) {
  int closed = 0;
  const std::string transcript = Play(
      "type Edit_Orbi 12345\nkey Edit_Orbi Left\nkey Edit_Orbi Backspace\nexpect text Edit_Orbi 1235\n"
      "choose ComboBox_PV 1\nexpect text ComboBox_PV 华东地区\nend\n",
      closed);
  EXPECT_EQ(closed, 1);  // `end` closed the dialog from its close box, as a player would
  for (const char* line : {"open Main \"Corvo 封测机器检测\"\n", "  label Static_Captcha \"3412\"\n",
                           "  combo ComboBox_PV 8 items, selection -1\n", "caret Edit_Orbi 4\n",
                           "text Edit_Orbi \"1235\"\n", "select ComboBox_PV 1 \"华东地区\"\n",
                           "event Btn_Close click: not handled\n", "close Main\nscript passed\n"}) {
    EXPECT_NE(transcript.find(line), std::string::npos) << line << "\n" << transcript;
  }
  EXPECT_EQ(transcript.substr(transcript.size() - 14), "script passed\n");
}

TEST_F(ScriptBackendTest, AFailedRunSaysSoInItsLastLine) {
  int closed = 0;
  std::string transcript = Play("click Btn_Close\nexpect closed Main\n", closed);
  EXPECT_EQ(closed, 1);
  EXPECT_NE(transcript.find("FAIL steps from line 2 on were never played\nscript FAILED\n"), std::string::npos)
      << transcript;
  transcript = Play("expect text Edit_Orbi 1\n", closed);
  EXPECT_EQ(closed, 0);  // the loop ended without the player closing the dialog
  EXPECT_NE(transcript.find("FAIL step 1 (line 1): expect text Edit_Orbi 1: it shows \"\"\nscript FAILED\n"),
            std::string::npos)
      << transcript;
}

}  // namespace
