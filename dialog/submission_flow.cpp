// The submission flow of the player's dialog: SubmitReport and ShowResult.
#include <iostream>
#include <regex>

#include <boost/format.hpp>

#include "app/machine_info.h"
#include "app/show_info_flag.h"
#include "dialog/dialog_texts.h"
#include "dialog/mox_main_dlg.h"
#include "dialog/submission_counter.h"
#include "framework/setting_channel.h"
#include "framework/variable_param.h"
#include "platform/message_box.h"
#include "probe/probe_summary.h"
#include "rating/rating.h"
#include "report/post_report.h"

namespace {

constexpr int kRegionCount = static_cast<int>(std::size(kRegions));
constexpr std::uint32_t kSubmissionLimit = 2;

void Refuse(const char* text) { ShowMessageBox(kPromptCaption, text, MessageIcon::kExclamation); }

bool IsAccount(const char* text) {
  static const std::regex account("[1-9]\\d{4,10}");
  return std::regex_match(text, account);
}

// The upload and its outcome for the player: the message and whether it is
// a success. Counts the submission when the service took it (or had it).
std::pair<std::string, bool> Upload() {
  try {
    ExchangeNotes notes;
    std::string answer = PostReport(&notes);
    if (notes.answer_kept_at_deadline) {
      Velum::LogToEventLog("MoxMainDlg: the report service kept the connection open after its answer; the answer "
                           "was used at the deadline", 1);
    }
    SubmissionCount(true);
    return {answer, true};
  } catch (const ReplicatedCommit& repeat) {
    SubmissionCount(true);
    return {repeat.what(), false};
  } catch (const std::logic_error& refused) {
    return {refused.what(), false};
  } catch (const std::exception& failure) {
    // Standard error for a console, the event log for a windowed process.
    std::cerr << failure.what();
    Velum::LogToEventLog(std::string("MoxMainDlg: the report could not be sent: ") + failure.what(), 0);
    return {ShowInfoFlag() ? kNetworkErrorPrefix + std::string(failure.what()) : kSubmissionFailed, false};
  }
}

}  // namespace

void MoxMainDlg::SubmitReport() {
  if (!IsAccount(mOrbi->GetText())) return Refuse(kBadAccount);
  const int age = mAge->GetCurSel();
  if (age == -1) return Refuse(kNoAge);
  const int region = mProvince->GetCurSel();
  if (region < 0 || region >= kRegionCount) return Refuse(kNoRegion);
  const int sex = mSex->GetCurSel();
  if (sex == -1) return Refuse(kNoSex);
  if (!CheckVerificationCode(mCaptchaEdit->GetText())) {
    Refuse(kBadCode);
    NewVerificationCode();
    return;
  }

  MachineInfoRecord& info = MachineInfo();
  info["Orbi"] = mOrbi->GetText();
  info["Age"] = std::to_string(age + 1);
  info["Sex"] = std::to_string(sex + 1);
  info["Province"] = kRegions[region];
  ProbeSummary();
  RateMachine();

  std::pair<std::string, bool> outcome{kRepeatParticipation, false};
  if (SubmissionCount(false) < kSubmissionLimit) outcome = Upload();
  ShowResult(outcome.first, outcome.second);
  mResult->RunModal();
  NewVerificationCode();
}

void MoxMainDlg::ShowResult(const std::string& message, bool success) {
  if (Velum::IControl* ok = ControlNamed("Button_OK")) ok->SetVisible(success);
  if (Velum::IControl* close = ControlNamed("Button_OK_Close")) close->SetVisible(!success);
  Velum::IControl* text = ControlNamed("Static_Msg");
  if (text == nullptr) return;
  text->ClearText();
  text->SetRichText((boost::format(kResultMarkup) % message).str().c_str());
  auto* color = new Velum::CVariableParam2();
  color->SetDword(Velum::kTextColorKey, success ? kSuccessColor : kFailureColor);
  text->ApplyParams(color);
  color->Destroy(0);
}
