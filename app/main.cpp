#include <iostream>

#include <boost/format.hpp>
#include <boost/program_options/errors.hpp>

#include "app/batch_rating.h"
#include "app/command_line.h"
#include "app/dialog_mode.h"
#include "app/eval_mode.h"
#include "app/messages.h"
#include "app/show_info_flag.h"
#include "platform/entry.h"
#include "platform/exit_status.h"
#include "platform/locale.h"
#include "platform/message_box.h"
#include "probe/probe_summary.h"
#include "rating/rating_summary.h"

namespace {

int RunBatchMode(const std::string& list_path) {
  const std::string result_path = list_path + " - result.txt";
  const BatchResult result = RateDeviceList(result_path, list_path);
  if (!result.input_opened) {
    ReportFailure((boost::format(kListNotOpened) % list_path).str());
    return FailureExitCode();
  }
  if (!result.output_opened) {
    ReportFailure((boost::format(kResultNotOpened) % result_path).str());
    return FailureExitCode();
  }
  if (result.skipped_overlong_lines + result.skipped_bad_memory_lines + result.skipped_huge_memory_lines > 0) {
    std::cerr << boost::format(kLinesSkipped) % list_path % result.skipped_overlong_lines %
                     result.skipped_bad_memory_lines % result.skipped_huge_memory_lines
              << '\n';
  }
  return 0;
}

int RunNormalMode(bool show_info) {
  if (show_info) {
    ShowInfoFlag() = true;
    const std::string rating = RatingSummary();  // probes this machine first
    const std::string probe = ProbeSummary();
    ShowWaitingMessageBox(kProbeInformationCaption, probe + "\n" + rating, MessageIcon::kInformation);
  }
  return RunDialogMode() ? 0 : FailureExitCode();
}

}  // namespace

int MachineCheckMain(const std::vector<std::string>& args) {
  UseCodePage936Locale();
  CommandLine command_line;
  try {
    command_line = ParseCommandLine(args);
  } catch (const boost::program_options::error& error) {
    ReportFailure((boost::format(kBadCommandLine) % error.what()).str());
    return FailureExitCode();
  }
  if (command_line.version) {
    ShowMessageBox(kVersionCaption, kVersionText, MessageIcon::kInformation);
    return 0;
  }
  if (command_line.eval) return RunEvalMode(*command_line.eval, command_line.mute);
  if (command_line.eval_file) return RunBatchMode(*command_line.eval_file);
  return RunNormalMode(command_line.show_info);
}
