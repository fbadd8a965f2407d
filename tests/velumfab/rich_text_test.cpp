#include "velumfab/core/rich_text.h"

#include <gtest/gtest.h>


namespace {

using namespace VelumFab;

TEST(RichText, ReadsTheResultTemplate) {
  const RichText text = ParseRichText("<font color=\"0x1717c5\" bold=\"1\" size=\"14\">\xCC\xE1\xBD\xBB</font>");
  ASSERT_EQ(text.size(), 1u);
  EXPECT_EQ(text[0].text, "\xCC\xE1\xBD\xBB");
  EXPECT_EQ(text[0].color, 0x1717C5u);
  EXPECT_TRUE(text[0].bold);
  EXPECT_EQ(text[0].size, 14);
}

TEST(RichText, NestsAndKeepsEverythingElseAsText) {
  const RichText text = ParseRichText("a<font bold='1'>b<font color=\"0x00FF00\">c</font>d</font>e<b>f</font>");
  ASSERT_EQ(text.size(), 5u);
  EXPECT_EQ(PlainText(text), "abcde<b>f</font>");  // an unknown tag, and a close with nothing open, are text
  EXPECT_FALSE(text[0].bold);
  EXPECT_TRUE(text[2].bold);
  EXPECT_EQ(text[2].color, 0x00FF00u);
  EXPECT_TRUE(text[3].bold);
  EXPECT_FALSE(text[3].color);
  EXPECT_EQ(PlainText(ParseRichText("<font color=\"red\">x")), "x");  // an unreadable colour is ignored
  EXPECT_EQ(PlainText(ParseRichText("<font color=\"0x1>x")), "<font color=\"0x1>x");  // broken: text as written
  EXPECT_EQ(PlainText(ParseRichText("<fontx>y")), "<fontx>y");
}

TEST(RichText, ColoursAreSixHexadecimalDigitsReadAsColorrefs) {
  EXPECT_EQ(ParseColor("0xC1D506"), 0xC1D506u);
  EXPECT_FALSE(ParseColor("0xC1D50"));
  EXPECT_FALSE(ParseColor("C1D5060"));
  EXPECT_FALSE(ParseColor("0xC1D50G"));
  EXPECT_EQ(ColorText(0x1717C5), "0x1717C5");
}

}  // namespace
