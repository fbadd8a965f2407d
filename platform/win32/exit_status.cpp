#include "platform/exit_status.h"

#include "platform/message_box.h"

void ReportFailure(const std::string& text) { ShowMessageBox("MachineCheck", text, MessageIcon::kError); }

int FailureExitCode() { return -1; }

int HandOverBonus(int bonus, bool) { return bonus; }
