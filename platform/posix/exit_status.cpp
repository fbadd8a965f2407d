#include "platform/exit_status.h"

#include <iostream>

#include "platform/posix/terminal_text.h"

void ReportFailure(const std::string& text) { std::cerr << "machine-check: " << TerminalTextFromCp936(text) << '\n'; }

int FailureExitCode() { return 2; }

int HandOverBonus(int bonus, bool report_shown) {
  if (!report_shown) std::cout << bonus << std::endl;
  return 0;
}
