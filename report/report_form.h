#pragma once

#include <string>
#include <string_view>

#include "app/machine_info.h"

// The report form: fifteen URL-encoded fields from the machine info record,
// signed with an MD5 token over seven of them.

// Percent-encodes every byte but ASCII letters, digits and "-_.~"; a space
// becomes %20.
std::string UrlEncode(std::string_view value);

// "0" to "5" stand for themselves; any other level ("-1", "") gives "".
std::string LevelCode(const std::string& level);

// The three salts the token is signed with, shared with the receiving
// service: constants of the build (a publisher may build with its own).
struct ReportSalts {
  std::string first;
  std::string second;
  std::string third;
};
ReportSalts BuildReportSalts();

// 32 lower-case hexadecimal digits: MD5 of the seven values with the salts.
std::string ReportToken(const std::string& account, const std::string& mac, const std::string& cpu,
                        const std::string& ram, const std::string& gpu, const std::string& level_code,
                        const std::string& times);

// The form body from `info`; absent keys read as "" (and are then present).
std::string BuildReportForm(MachineInfoRecord& info);

// The form body from the process's record.
std::string BuildReportForm();
