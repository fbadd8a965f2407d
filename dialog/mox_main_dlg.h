#pragma once

#include <string>

#include "framework/velum.h"

// The player's dialog: made by the UI library from the layout Main.mox, it
// takes the player's answers and a verification code, and submits the
// report from its start button or from Enter in the account and code edits.
class MoxMainDlg : public Velum::IEventImpl<Velum::IUILibEvent, 1> {
 public:
  // Builds the dialog completely: library, layout, controls, the first
  // verification code. When a check fails on the way, the dialog is not
  // built further; FailedCheck() names it.
  MoxMainDlg();
  ~MoxMainDlg();
  MoxMainDlg(const MoxMainDlg&) = delete;
  MoxMainDlg& operator=(const MoxMainDlg&) = delete;

  // Runs the dialog until the player closes it; false when it cannot be
  // built, or the library ends it without the player closing it.
  bool Run();
  void OnEvent(int control_id, Velum::IVariableParam* event) override;

  void NewVerificationCode();
  bool CheckVerificationCode(const char* text) const;
  // The submission flow: validate, store, probe, rate, post, show.
  void SubmitReport();
  // Prepares the result panel for `message`; does not show it.
  void ShowResult(const std::string& message, bool success);

  // The member whose check failed ("mUILib", "success", a control), or null.
  const char* FailedCheck() const { return mFailedCheck; }
  // The layout's name of the control whose check failed, or null.
  const char* MissingControl() const { return mMissingControl; }

 private:
  // Reports a failed check (event log and debugger output) and remembers it.
  bool Check(bool holds, const char* expression);
  Velum::IControl* BoundControl(const char* name, const char* member);
  Velum::IControl* ControlNamed(const char* name);

  Velum::TVelumPtr<Velum::IUILib, 1> mUILib;
  Velum::IControl* mDialog = nullptr;
  Velum::IControl* mCaptcha = nullptr;
  Velum::IControl* mOrbi = nullptr;
  Velum::IControl* mAge = nullptr;
  Velum::IControl* mProvince = nullptr;
  Velum::IControl* mSex = nullptr;
  Velum::IControl* mCaptchaEdit = nullptr;
  Velum::IControl* mStart = nullptr;
  Velum::IControl* mPavo = nullptr;
  Velum::IControl* mResult = nullptr;
  int mMainId = 0;
  int mCloseId = 0;
  int mStartId = 0;
  int mCaptchaId = 0;
  int mNavigationId = 0;
  int mPavoCloseId = 0;
  int mResultCloseId = 0;
  int mOkCloseId = 0;
  int mOrbiId = 0;
  int mCaptchaEditId = 0;
  int mCode = 0;  // 0 to 9999; shown with its two halves swapped
  const char* mFailedCheck = nullptr;
  const char* mMissingControl = nullptr;
};
