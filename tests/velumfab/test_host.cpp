// A small host for the UI library, for looking at it and driving it in
// tests: it loads VelumFab through the real loader (Velum.ini beside this
// program), runs the dialog "Main", opens "Pavo" from its help button and
// "Result" from its start button, and closes each from its close buttons.
//   velum-test-host [failure]   the result panel shows a failure instead
// On exit it prints what the account edit held and which button closed.
#include <cstdio>
#include <cstring>
#include <string>

#include "framework/component_loader.h"
#include "framework/variable_param.h"
#include "platform/entry.h"
#include "platform/text_encoding.h"

namespace {

using namespace Velum;

constexpr char kSuccessMarkup[] = "<font color=\"0x1717c5\" bold=\"1\" size=\"14\">\xCC\xE1\xBD\xBB\xB3\xC9\xB9\xA6</font>";
constexpr char kFailureMarkup[] =
    "<font color=\"0x1717c5\" bold=\"1\" size=\"14\">\xCA\xFD\xBE\xDD\xCC\xE1\xBD\xBB\xCA\xA7\xB0\xDC</font>";

class TestHost final : public IUILibEvent {
 public:
  explicit TestHost(bool failure) : failure_(failure) {}

  int Run() {
    EnsureComponentFactory();
    if (TheComponentFactory() == nullptr) return Fail("the UI library could not be loaded (see NewVelumLog.txt)");
    lib_ = static_cast<IUILib*>(TheComponentFactory()->Create(kUILibId, 0));
    if (lib_ == nullptr) return Fail("the factory made no UI library");
    lib_->Init(0);
    if (lib_->LoadLayout("Main.mox", 0) == 0) return Fail("Main.mox could not be loaded (see NewVelumLog.txt)");
    lib_->SetEventSink(1, this);
    Control("Main")->SetEventHandler(this);
    Control("Static_Captcha")->SetText("3412");
    const int closed_by = Control("Main")->RunModal();
    lib_->Shutdown();  // gives the terminal back before anything is printed
    std::printf("account: %s\nclosed by: %s\n", Utf8FromCp936(Control("Edit_Orbi")->GetText()).c_str(),
                closed_by == Id("Btn_Close") ? "Btn_Close" : std::to_string(closed_by).c_str());
    TVelumPtr<IUILib> release(lib_);
    return 0;
  }

  int IsEventSink() override { return 1; }

  void OnEvent(int id, IVariableParam* event) override {
    if (event->GetInt(kEventCodeKey, 0) != kEventClick) return;
    if (id == Id("Btn_Close")) Control("Main")->EndModal(id);
    if (id == Id("Btn_Navigation4")) Control("Pavo")->RunModal();
    if (id == Id("Pavo_Close")) Control("Pavo")->EndModal(id);
    if (id == Id("Result_Close") || id == Id("Button_OK_Close")) Control("Result")->EndModal(id);
    if (id == Id("Button_Start")) ShowResult();
  }

 private:
  void ShowResult() {
    Control("Button_OK")->SetVisible(!failure_);
    Control("Button_OK_Close")->SetVisible(failure_);
    Control("Static_Msg")->ClearText();
    Control("Static_Msg")->SetRichText(failure_ ? kFailureMarkup : kSuccessMarkup);
    auto* params = new CVariableParam2();
    params->SetDword(kTextColorKey, failure_ ? 0x1717C5 : 0xC1D506);
    Control("Static_Msg")->ApplyParams(params);
    params->Destroy(0);
    Control("Result")->RunModal();
  }

  int Id(const char* name) { return lib_->GetControlId(name, 0); }
  IControl* Control(const char* name) { return lib_->GetControl(Id(name)); }

  static int Fail(const char* why) {
    std::fprintf(stderr, "velum-test-host: %s\n", why);
    return 1;
  }

  bool failure_;
  IUILib* lib_ = nullptr;
};

}  // namespace

int MachineCheckMain(const std::vector<std::string>& args) {
  TestHost host(!args.empty() && args[0] == "failure");
  return host.Run();
}
