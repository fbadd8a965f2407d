#include "platform/message_box.h"

#include <windows.h>

#include "platform/win32/text_encoding.h"

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
  MessageBoxW(nullptr, WideFromCp936(text).c_str(), WideFromCp936(caption).c_str(), MB_OK | IconStyle(icon));
}
