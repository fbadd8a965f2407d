#include "platform/exit_status.h"

#include <iostream>

#include "platform/text_encoding.h"

void ReportFailure(const std::string& text) { std::cerr << "machine-check: " << Utf8FromCp936(text) << '\n'; }

int FailureExitCode() { return 2; }

int HandOverBonus(int bonus, bool report_shown) {
  if (!report_shown) std::cout << bonus << std::endl;
  return 0;
}
