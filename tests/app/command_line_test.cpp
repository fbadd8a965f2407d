#include "app/command_line.h"

#include <gtest/gtest.h>

#include <boost/program_options/errors.hpp>

namespace {

using Args = std::vector<std::string>;

TEST(ParseCommandLine, ReadsEachOptionInBothValueForms) {
  CommandLine empty = ParseCommandLine({});
  EXPECT_FALSE(empty.show_info);
  EXPECT_FALSE(empty.mute);
  EXPECT_FALSE(empty.eval);
  EXPECT_FALSE(empty.eval_file);

  CommandLine all = ParseCommandLine(Args{"--show_info", "--eval", "A|B|8", "--eval_file=list.txt", "--mute"});
  EXPECT_TRUE(all.show_info);
  EXPECT_TRUE(all.mute);
  EXPECT_EQ(all.eval, "A|B|8");
  EXPECT_EQ(all.eval_file, "list.txt");

  EXPECT_FALSE(ParseCommandLine(Args{"--mute=false"}).mute);
  EXPECT_TRUE(ParseCommandLine(Args{"--mute=1"}).mute);
  EXPECT_FALSE(all.version);
  EXPECT_TRUE(ParseCommandLine(Args{"--version"}).version);
  EXPECT_THROW(ParseCommandLine(Args{"--version=yes"}), boost::program_options::error);
}

TEST(ParseCommandLine, RejectsWhatTheOptionSetDoesNotAllow) {
  EXPECT_THROW(ParseCommandLine(Args{"--unknown"}), boost::program_options::error);
  EXPECT_THROW(ParseCommandLine(Args{"--eval"}), boost::program_options::error);
  EXPECT_THROW(ParseCommandLine(Args{"--eval_file"}), boost::program_options::error);
  EXPECT_THROW(ParseCommandLine(Args{"--mute=perhaps"}), boost::program_options::error);
  EXPECT_THROW(ParseCommandLine(Args{"positional"}), boost::program_options::error);
}

}  // namespace
