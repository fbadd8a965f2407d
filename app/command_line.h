#pragma once

#include <optional>
#include <string>
#include <vector>

struct CommandLine {
  bool show_info = false;
  std::optional<std::string> eval;
  std::optional<std::string> eval_file;
  bool mute = false;
  bool version = false;  // --version: the program's version, and nothing else
};

// Parses "--name value" / "--name=value" options. Throws
// boost::program_options::error for an unknown option, a missing value or a
// bool value the library does not accept.
CommandLine ParseCommandLine(const std::vector<std::string>& args);
