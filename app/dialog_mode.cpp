#include "app/dialog_mode.h"

#include <filesystem>

#include <boost/format.hpp>

#include "app/messages.h"
#include "dialog/dialog_texts.h"
#include "dialog/mox_main_dlg.h"
#include "framework/component_loader.h"
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
    const std::string library = Velum::LocateFactoryDll(Velum::ResolveSettingsFile(settings));
    return (boost::format(kNoLibrary) % settings % library).str();
  }
  const std::string library = ModulePathOf(factory);
  const std::string check = dialog.FailedCheck();
  if (check == "mUILib") return (boost::format(kNoUILib) % library).str();
  const std::string layout = InFolderOf(library, "Main.mox");
  if (check == "success") return (boost::format(kNoLayout) % layout % EventLogFile()).str();
  const char* control = dialog.MissingControl();
  return (boost::format(kControlMissing) % (control != nullptr ? control : check) % layout).str();
}

}  // namespace

bool RunDialogMode() {
  MoxMainDlg dialog;
  if (dialog.Run()) return true;
  const std::string why = dialog.FailedCheck() != nullptr ? WhyTheDialogCannotOpen(dialog)
                                                          : (boost::format(kDialogNotShown) % EventLogFile()).str();
  ShowMessageBox(kPromptCaption, why, MessageIcon::kError);
  return false;
}
