#pragma once

#include <string>

// Tells the user why the run failed: a message box on Windows, standard
// error on POSIX.
void ReportFailure(const std::string& text);

// Exit code of a failed run; never one of the eval mode's bonus values.
int FailureExitCode();

// Hands the eval mode's bonus to the caller and returns the exit code. On
// Windows the exit code is the bonus. A POSIX exit status holds only 0-255,
// so there the bonus is printed on standard output (unless the shown report
// already carries it) and the run exits with 0.
int HandOverBonus(int bonus, bool report_shown);
