#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "app/machine_info.h"

// The columns of a device-list line that the rating uses.
struct DeviceLine {
  std::string_view id;
  std::string_view processor;
  std::string_view memory_mib;  // the leading run of digits and dots of column 5
  std::string_view graphics;
};

// Splits a device-list line: at least six tab-separated columns, the first
// three without white space, the fifth starting with a digit or a dot.
// Lines of any other shape give nothing.
std::optional<DeviceLine> MatchDeviceLine(std::string_view line);

// What RateDeviceList did, for its caller to report.
struct BatchResult {
  bool input_opened = false;
  bool output_opened = false;
  int rated_lines = 0;
  int skipped_overlong_lines = 0;  // longer than the 1023 characters a line may hold
  int skipped_bad_memory_lines = 0;  // memory column of digits and dots that is no number
  int skipped_huge_memory_lines = 0;  // memory of 2^63 bytes or more
};

// Rates every matching line read from `input` and writes one result line
// per rated line to `output`, flushing after each. The last rated line's
// devices and rating are left in `info`.
BatchResult RateDeviceLines(std::istream& input, std::ostream& output, MachineInfoRecord& info);

// Rates every matching line of the device list `input_path` and writes
// "id<TAB>Level<TAB>Gain" lines to `result_path`, flushing after each. The
// result file is only created (or emptied) once the list could be opened.
BatchResult RateDeviceList(const std::string& result_path, const std::string& input_path);
