#include "platform/posix/terminal_text.h"

#include "platform/posix/iconv_text.h"

std::string TerminalTextFromCp936(const std::string& text) {
  return ConvertText(text, "CP936", "UTF-8").value_or(text);
}
