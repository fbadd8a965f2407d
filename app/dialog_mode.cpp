#include "app/dialog_mode.h"

#include <filesystem>

#include <boost/format.hpp>

#include "app/messages.h"
#include "dialog/dialog_texts.h"
#include "dialog/mox_main_dlg.h"
#include "framework/component_loader.h"
#include "framework/setting_channel.h"
#include "platform/dynamic_library.h"
#include "platform/message_box.h"
#include "platform/process_info.h"

namespace {

bool FileExists(const std::string& path) {
  std::error_code ignored;
  return !path.empty() && std::filesystem::is_regular_file(path, ignored);
}

std::string InFolderOf(const std::string& file, const char* name) {
  const std::size_t cut = file.find_last_of("/\\");
  return (cut == std::string::npos ? std::string() : file.substr(0, cut + 1)) + name;
}

std::string EventLogFile() { return CurrentDirectory() + PathSeparator() + "NewVelumLog.txt"; }

// What the player is told when the dialog could not be built.
std::string WhyTheDialogCannotOpen(const MoxMainDlg& dialog) {
  Velum::ComponentFactory* factory = Velum::TheComponentFactory();
  if (factory == nullptr) {
    const std::string settings = Velum::DefaultSettingsFile();
    if (!FileExists(settings)) return (boost::format(kNoSettingsFile) % settings).str();
    const std::string resolved = Velum::ResolveSettingsFile(settings);
    if (!FileExists(resolved)) return (boost::format(kRedirectMissing) % settings % resolved).str();
    return (boost::format(kNoLibrary) % resolved % Velum::LocateFactoryDll(resolved)).str();
  }
  const std::string library = ModulePathOf(factory);
  const std::string check = dialog.FailedCheck();
  if (check == "mUILib") return (boost::format(kNoUILib) % library).str();
  const std::string layout = InFolderOf(library, "Main.mox");
  if (check == "success") return (boost::format(kNoLayout) % layout % EventLogFile()).str();
  const char* control = dialog.MissingControl();
  return (boost::format(kControlMissing) % (control != nullptr ? control : check) % layout).str();
}

// What the player is told when the library could not show the dialog, or
// found a fault in the run it played: its reason, when it gave one.
std::string WhyTheLibraryFailed() {
  const std::string reason = Velum::LibraryValue(Velum::kLibraryFailureValue);
  if (reason.empty()) return (boost::format(kDialogNotShown) % EventLogFile()).str();
  return (boost::format(kDialogNotShownBecause) % reason % EventLogFile()).str();
}

}  // namespace

bool RunDialogMode() {
  std::string why;
  {
    MoxMainDlg dialog;
    if (!dialog.Run()) why = dialog.FailedCheck() != nullptr ? WhyTheDialogCannotOpen(dialog) : WhyTheLibraryFailed();
  }  // the library has shut down: a run it played has told how it ended
  if (why.empty() && !Velum::LibraryValue(Velum::kLibraryFailureValue).empty()) why = WhyTheLibraryFailed();
  if (why.empty()) return true;
  Velum::LogToEventLog("MoxMainDlg: " + why, 0);
  ShowMessageBox(kPromptCaption, why, MessageIcon::kError);
  return false;
}
