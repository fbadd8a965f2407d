#include "app/command_line.h"

#include <boost/program_options.hpp>

namespace po = boost::program_options;

namespace {

po::options_description OptionSet() {
  po::options_description options("options", 80, 40);
  options.add_options()
      ("show_info", po::value<bool>()->default_value(false)->implicit_value(true))
      ("eval", po::value<std::string>())
      ("eval_file", po::value<std::string>())
      ("mute", po::value<bool>()->default_value(false)->implicit_value(true))
      ("version", po::bool_switch());
  return options;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  po::variables_map values;
  // No option is positional: a stray word (an unquoted path with a space,
  // say) is refused instead of silently dropped.
  const po::positional_options_description no_positional_options;
  po::store(po::command_line_parser(args).options(OptionSet()).positional(no_positional_options).run(), values);
  CommandLine command_line;
  command_line.show_info = values["show_info"].as<bool>();
  command_line.mute = values["mute"].as<bool>();
  command_line.version = values["version"].as<bool>();
  if (values.count("eval")) command_line.eval = values["eval"].as<std::string>();
  if (values.count("eval_file")) command_line.eval_file = values["eval_file"].as<std::string>();
  return command_line;
}
