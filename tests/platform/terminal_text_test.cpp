#include "platform/posix/terminal_text.h"

#include <gtest/gtest.h>

namespace {

TEST(TerminalTextFromCp936, ShowsCodePage936TextInUtf8) {
  EXPECT_EQ(TerminalTextFromCp936("CPU/\xCF\xD4\xBF\xA8/\xC4\xDA\xB4\xE6"), "CPU/\xE6\x98\xBE\xE5\x8D\xA1/\xE5\x86\x85\xE5\xAD\x98");
  EXPECT_EQ(TerminalTextFromCp936(""), "");
  EXPECT_EQ(TerminalTextFromCp936("broken \xCF"), "broken \xCF");  // not code page 936: shown as it is
}

}  // namespace
