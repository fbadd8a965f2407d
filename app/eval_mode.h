#pragma once

#include <string>

// The parts of an eval value "processor|graphics adapter|memory in GiB".
struct EvalValue {
  std::string processor;
  std::string graphics;
  std::string memory_gib;
};

// Splits at the first and the last "|"; everything between them is the
// graphics adapter. With one "|" the graphics adapter is the text after it,
// and with none all three parts are the whole value.
EvalValue SplitEvalValue(const std::string& value);

// Rates the machine that `value` describes, shows the report unless `mute`
// and returns the exit code. A memory text that is no valid size is reported
// as a failure.
int RunEvalMode(const std::string& value, bool mute);
