#include "platform/message_box.h"

#include <iostream>

#include "platform/posix/terminal_text.h"

void ShowMessageBox(const std::string& caption, const std::string& text, MessageIcon) {
  std::cout << '[' << TerminalTextFromCp936(caption) << "]\n" << TerminalTextFromCp936(text);
  if (!text.empty() && text.back() != '\n') std::cout << '\n';
  std::cout.flush();
}
