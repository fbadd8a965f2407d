// The core's one rule for breaking a rich label's text, and how a window
// grows with a text longer than its label; measured in characters here, as
// each backend measures in its own units.
#include "velumfab/core/text_layout.h"

#include <gtest/gtest.h>

#include "platform/unicode_text.h"
#include "velumfab/core/control_text.h"
#include "velumfab/core/layout_reader.h"

namespace {

using namespace VelumFab;

int Characters(std::u32string_view text, const TextRun&) { return static_cast<int>(text.size()); }

std::vector<std::string> Lines(const std::string& utf8_markup, int width) {
  Control label;
  SetRichMarkup(label, Cp936FromUtf32(Utf32FromUtf8(utf8_markup)));
  std::vector<std::string> lines;
  for (const RichLine& line : BreakRichText(label.rich, width, Characters)) {
    std::u32string text;
    for (const PlacedText& piece : line) text += piece.text;
    lines.push_back(Utf8FromUtf32(text));
  }
  return lines;
}

TEST(BreakRichText, KeepsPunctuationOffALinesStartAndLatinWordsWhole) {
  EXPECT_EQ(Lines("提交成功，谢谢", 4), (std::vector<std::string>{"提交成", "功，谢谢"}));
  EXPECT_EQ(Lines("网络错误：connect: Connection refused", 12),
            (std::vector<std::string>{"网络错误：", "connect:", "Connection", "refused"}));
  EXPECT_EQ(Lines("ab\ncd", 9), (std::vector<std::string>{"ab", "cd"}));
  EXPECT_EQ(Lines("abcdefghij", 4), (std::vector<std::string>{"abcd", "efgh", "ij"}));  // wider than a line
  EXPECT_EQ(Lines("一，", 1), (std::vector<std::string>{"一，"}));  // nothing to take along: it overhangs
}

TEST(BreakRichText, PlacesEachRunInItsLookWhereTheLastEnded) {
  Control label;
  SetRichMarkup(label, "ab<font bold=\"1\">cd</font>ef");
  const std::vector<RichLine> lines = BreakRichText(label.rich, 4, Characters);
  ASSERT_EQ(lines.size(), 2u);
  ASSERT_EQ(lines[0].size(), 2u);
  EXPECT_EQ(lines[0][1].text, U"cd");
  EXPECT_EQ(lines[0][1].x, 2);
  EXPECT_TRUE(lines[0][1].look->bold);
  EXPECT_EQ(lines[1][0].text, U"ef");
}

TEST(ArrangeFrame, ALabelThatNeedsMoreRowsPushesTheControlsBelowItDown) {
  LayoutReading reading = ReadLayout(R"(<layout><dialog name="D" width="20" height="8">
      <button name="Above" y="0" width="4"/><richlabel name="R" y="1" width="10" height="2"/>
      <button name="Below" y="5" width="4"/></dialog></layout>)", "t.mox");
  ASSERT_TRUE(reading.model) << reading.error;
  const ControlModel& model = *reading.model;
  const int label = model.IdOf("R");
  const auto needing = [](int rows) { return [rows](const Control&) { return rows; }; };
  FrameArrangement grown = ArrangeFrame(model, model.IdOf("D"), needing(5), 100);
  EXPECT_EQ(grown.height, 11);
  EXPECT_EQ(grown.rows[label], 5);
  EXPECT_EQ(grown.row[model.IdOf("Below")], 8);
  EXPECT_EQ(grown.row[model.IdOf("Above")], 0);
  FrameArrangement capped = ArrangeFrame(model, model.IdOf("D"), needing(50), 9);
  EXPECT_EQ(capped.height, 9);
  EXPECT_EQ(capped.rows[label], 3);
  EXPECT_EQ(ArrangeFrame(model, model.IdOf("D"), needing(1), 100).height, 8);  // labels never shrink
}

}  // namespace
