#include "dialog/mox_main_dlg.h"

#include <cstdlib>
#include <ctime>

#include "dialog/verification_code.h"
#include "framework/component_loader.h"
#include "framework/setting_channel.h"

namespace {

constexpr int kCodeRange = 10000;

bool IsKeyMessage(int message) {
  return message == Velum::kMessageKeyDown || message == Velum::kMessageKeyUp || message == Velum::kMessageChar;
}

// The UI library component, initialised; null when the factory or the
// component is not available.
Velum::IUILib* CreateUILib() {
  Velum::EnsureComponentFactory();
  Velum::ComponentFactory* factory = Velum::TheComponentFactory();
  auto* lib = factory == nullptr ? nullptr : static_cast<Velum::IUILib*>(factory->Create(Velum::kUILibId, 0));
  if (lib != nullptr) lib->Init(0);
  return lib;
}

}  // namespace

MoxMainDlg::MoxMainDlg() : mUILib(CreateUILib()) {
  if (!Check(static_cast<bool>(mUILib), "mUILib")) return;
  const bool success = mUILib->LoadLayout("Main.mox", 0) != 0;
  if (!Check(success, "success")) return;
  mUILib->SetEventSink(1, this);

  mDialog = BoundControl("Main", "mDialog");
  mCaptcha = BoundControl("Static_Captcha", "mCaptcha");
  mOrbi = BoundControl("Edit_Orbi", "mOrbi");
  mAge = BoundControl("Combo_Age", "mAge");
  mProvince = BoundControl("ComboBox_PV", "mProvince");
  mSex = BoundControl("Combo_Sex", "mSex");
  mCaptchaEdit = BoundControl("Edit_Captcha", "mCaptchaEdit");
  mStart = BoundControl("Button_Start", "mStart");
  mPavo = BoundControl("Pavo", "mPavo");
  mResult = BoundControl("Result", "mResult");
  if (mFailedCheck != nullptr) return;
  mDialog->SetEventHandler(this);

  mMainId = mUILib->GetControlId("Main", 0);
  mCloseId = mUILib->GetControlId("Btn_Close", 0);
  mStartId = mUILib->GetControlId("Button_Start", 0);
  mCaptchaId = mUILib->GetControlId("Static_Captcha", 0);
  mNavigationId = mUILib->GetControlId("Btn_Navigation4", 0);
  mPavoCloseId = mUILib->GetControlId("Pavo_Close", 0);
  mResultCloseId = mUILib->GetControlId("Result_Close", 0);
  mOkCloseId = mUILib->GetControlId("Button_OK_Close", 0);
  mOrbiId = mUILib->GetControlId("Edit_Orbi", 0);
  mCaptchaEditId = mUILib->GetControlId("Edit_Captcha", 0);

  std::srand(static_cast<unsigned>(std::time(nullptr)));
  NewVerificationCode();
}

MoxMainDlg::~MoxMainDlg() {
  if (!mUILib) return;  // the failed check was reported when the dialog was built
  mUILib->Shutdown();
}

bool MoxMainDlg::Check(bool holds, const char* expression) {
  if (holds) return true;
  if (mFailedCheck == nullptr) mFailedCheck = expression;
  const std::string text = std::string("MoxMainDlg: check failed: ") + expression;
  Velum::ReportFrameworkError("[Velum_Error] %s\n", text.c_str());
  Velum::LogToEventLog(text, 0);
  return false;
}

Velum::IControl* MoxMainDlg::BoundControl(const char* name, const char* member) {
  Velum::IControl* control = ControlNamed(name);
  if (!Check(control != nullptr, member) && mMissingControl == nullptr) mMissingControl = name;
  return control;
}

Velum::IControl* MoxMainDlg::ControlNamed(const char* name) {
  return mUILib->GetControl(mUILib->GetControlId(name, 0));
}

bool MoxMainDlg::Run() {
  if (mFailedCheck != nullptr || !Check(mDialog != nullptr, "mDialog")) return false;
  return mDialog->RunModal() == mCloseId;  // -1: the library could not show it, or its input ended
}

void MoxMainDlg::OnEvent(int id, Velum::IVariableParam* event) {
  const int code = event->GetInt(Velum::kEventCodeKey, 0);
  if (code == Velum::kEventClick) {
    if (id == mCloseId) {
      mDialog->EndModal(id);
    } else if (id == mStartId) {
      SubmitReport();
    } else if (id == mCaptchaId) {
      NewVerificationCode();
    } else if (id == mNavigationId) {
      mPavo->RunModal();
    } else if (id == mPavoCloseId) {
      mPavo->EndModal(id);
    } else if (id == mResultCloseId || id == mOkCloseId) {
      mResult->EndModal(id);
    }
  }

  const int message = event->GetInt(Velum::kWindowMessageKey, 0);
  const bool tab = event->GetDword(Velum::kVirtualKeyKey, 0) == Velum::kVirtualKeyTab;
  if (message == Velum::kMessageKeyDown && tab) {
    const int focus = mUILib->GetFocusControlId();
    Velum::IControl* next = focus == mOrbiId ? mCaptchaEdit : focus == mCaptchaEditId ? mStart
                            : focus == mStartId ? mOrbi : nullptr;
    if (next != nullptr) {
      next->SetFocus();
      if (auto* edit = dynamic_cast<Velum::ITEdit*>(next)) edit->OnTabFocus();
    }
  }
  if (IsKeyMessage(message) && tab) event->SetInt(Velum::kEventHandledKey, 1);

  const bool enter = event->GetDword(Velum::kVirtualKeyKey, 0) == Velum::kVirtualKeyEnter;
  if ((id == mOrbiId || id == mCaptchaEditId) && code == Velum::kEventEditKey && message == Velum::kMessageKeyDown &&
      enter) {
    SubmitReport();
  }
}

void MoxMainDlg::NewVerificationCode() {
  mCode = std::rand() % kCodeRange;
  mCaptcha->SetText(ShownVerificationCode(mCode).c_str());
  mCaptchaEdit->SetText("");
}

bool MoxMainDlg::CheckVerificationCode(const char* text) const { return VerificationCodeMatches(mCode, text); }
