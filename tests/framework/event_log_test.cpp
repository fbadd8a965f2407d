#include "framework/event_log.h"

#include <fstream>
#include <regex>

#include <gtest/gtest.h>

#include "support/scratch_directory.h"

namespace {

using Velum::DefaultLogger;

class EventLogTest : public testing::Test {
 protected:
  std::string Path(const char* name) const { return dir_.File(name); }
  // In text mode, as the log is written.
  static std::string Read(const std::string& path) {
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
  // The file's lines without their time stamps ("dd/mm/yyyy hh:mm:ss ").
  static std::string WithoutTimes(const std::string& text) {
    static const std::regex stamp("(^|\n)\\d\\d/\\d\\d/\\d\\d\\d\\d \\d\\d:\\d\\d:\\d\\d ");
    return std::regex_replace(text, stamp, "$1");
  }

  ScratchDirectory dir_{"machinecheck-log"};
};

const std::string kBanner =
    "(Std) \t+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+\n"
    "(Std) \t+                     Velum Presentation Foundation - Event log               +\n"
    "(Std) \t+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+\n\n"
    "(Std) \tVelum::ILogger singleton created. \n";

TEST_F(EventLogTest, WritesTheBannerAndThePendingLinesUpToTheThreshold) {
  {
    DefaultLogger logger;
    logger.log("kept error", 0);
    logger.log("dropped info", 3);
    logger.log("always, unknown level", -1);
    logger.log(nullptr, 0);
    logger.setLogFilename(Path("log.txt").c_str(), false);
    logger.log("two\nlines", 2);
    logger.log("seven", 7);
  }
  EXPECT_EQ(WithoutTimes(Read(Path("log.txt"))), kBanner +
                                                     "(Error)\tkept error\n"
                                                     "(Unkwn)\talways, unknown level\n"
                                                     "(Std) \ttwo\nlines\n"
                                                     "(Std) \tVelum::ILogger singleton destroyed. \n");
}

TEST_F(EventLogTest, TheThresholdAtAttachDecidesWhichPendingLinesAreWritten) {
  DefaultLogger logger;
  logger.setLevel(4);
  logger.log("insane", 4);
  logger.log("seven", 7);
  logger.setLogFilename(Path("log.txt").c_str(), true);
  logger.setLevel(7);
  logger.log("seven now", 7);
  EXPECT_EQ(WithoutTimes(Read(Path("log.txt"))), kBanner + "(Insan)\tinsane\n(Unkwn)\tseven now\n");
}

TEST_F(EventLogTest, AFailedAttachKeepsThePendingLines) {
  DefaultLogger logger;
  try {
    logger.setLogFilename((dir_.File("no") + PathSeparator() + "log.txt").c_str(), false);
    ADD_FAILURE() << "opening a file in a missing folder succeeded";
  } catch (const char* error) {
    EXPECT_STREQ(error, "Logger::setLogFilename - Failed to open file.");
  }
  logger.log("after the failure", 1);
  logger.setLogFilename(Path("log.txt").c_str(), false);
  EXPECT_EQ(WithoutTimes(Read(Path("log.txt"))), kBanner + "(Warn)\tafter the failure\n");
}

TEST_F(EventLogTest, ReattachingMovesLaterLinesToTheNewFile) {
  { std::ofstream(Path("second.txt")) << "earlier\n"; }
  DefaultLogger logger;
  logger.setLogFilename(Path("first.txt").c_str(), false);
  logger.setLogFilename(Path("second.txt").c_str(), true);
  logger.log("moved", 0);
  EXPECT_EQ(WithoutTimes(Read(Path("second.txt"))), "earlier\n(Error)\tmoved\n");
}

TEST(EventLogLine, StampsDayMonthYearAndTime) {
  std::tm time{};
  time.tm_mday = 7;
  time.tm_mon = 11;
  time.tm_year = 126;
  time.tm_hour = 23;
  time.tm_min = 21;
  time.tm_sec = 5;
  EXPECT_EQ(Velum::EventLogLine(time, 2, "x"), "07/12/2026 23:21:05 (Std) \tx\n");
}

}  // namespace
