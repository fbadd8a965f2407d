#include "platform/message_box.h"

#include <windows.h>

#include <cstdio>

#include "platform/text_encoding.h"
#include "platform/win32/wide_text.h"

namespace {

UINT IconStyle(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kInformation: return MB_ICONINFORMATION;
    case MessageIcon::kExclamation: return MB_ICONEXCLAMATION;
    case MessageIcon::kError: return MB_ICONERROR;
    case MessageIcon::kNone: break;
  }
  return 0;
}

}  // namespace

void ShowMessageBox(const std::string& caption, const std::string& text, MessageIcon icon) {
  if (MessageBoxesArePrinted()) {
    PrintMessageBox(caption, text);
    return;
  }
  // Without an owner, and task modal: the program's windows take no input
  // until the box is closed. 0 when the box fails; Wine without a display
  // gives -1.
  if (MessageBoxW(nullptr, WideFromCp936(text).c_str(), WideFromCp936(caption).c_str(),
                  MB_OK | MB_TASKMODAL | IconStyle(icon)) > 0) {
    return;
  }
  // No desktop to show it on: the text must not vanish.
  std::fprintf(stderr, "[%s]\n%s\n", Utf8FromCp936(caption).c_str(), Utf8FromCp936(text).c_str());
  std::fflush(stderr);
}

void ShowWaitingMessageBox(const std::string& caption, const std::string& text, MessageIcon icon) {
  ShowMessageBox(caption, text, icon);
}
