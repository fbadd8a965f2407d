#include "velumfab/core/layout_reader.h"

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "platform/text_encoding.h"

namespace {

using namespace VelumFab;

std::string ShippedLayout() {
  std::ifstream file(std::string(MC_BUILD_DIR) + "/Main.mox", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST(LayoutReader, TheShippedLayoutHasEveryControlTheDialogBinds) {
  const LayoutReading reading = ReadLayout(ShippedLayout(), "Main.mox");
  ASSERT_TRUE(reading.model) << reading.error;
  const ControlModel& model = *reading.model;
  for (const char* name : {"Main", "Static_Captcha", "Edit_Orbi", "Combo_Age", "ComboBox_PV", "Combo_Sex",
                           "Edit_Captcha", "Button_Start", "Btn_Close", "Btn_Navigation4", "Pavo", "Pavo_Close",
                           "Result", "Result_Close", "Button_OK", "Button_OK_Close", "Static_Msg"}) {
    EXPECT_NE(model.IdOf(name), 0) << name;
  }
  const Control& regions = *model.Find(model.IdOf("ComboBox_PV"));
  ASSERT_EQ(regions.items.size(), 8u);
  EXPECT_EQ(Utf8FromCp936(regions.items[0]), "华北地区");  // item i is row i of the region table
  EXPECT_EQ(Utf8FromCp936(regions.items[7]), "其他地区");
  EXPECT_EQ(model.Find(model.IdOf("Combo_Sex"))->items.size(), 2u);
  EXPECT_EQ(model.Find(model.IdOf("Button_OK"))->action, ButtonAction::kClosePanel);
  EXPECT_EQ(model.Find(model.IdOf("Button_OK_Close"))->action, ButtonAction::kNone);
  EXPECT_EQ(model.Find(model.IdOf("Static_Msg"))->frame, model.IdOf("Result"));
  EXPECT_EQ(model.Find(model.IdOf("Static_Msg"))->owner, model.IdOf("Main"));
  EXPECT_TRUE(model.Find(model.IdOf("Static_Captcha"))->clickable);
}

TEST(LayoutReader, FocusOrderFollowsTheLayoutAndSkipsHiddenControls) {
  LayoutReading reading = ReadLayout(R"(<layout><dialog name="D" width="20" height="9">
      <label name="L" width="5"/><edit name="E" width="5"/><label name="C" width="5" clickable="1"/>
      <button name="B" width="5"/><combo name="K" width="5"><item>a</item></combo></dialog></layout>)", "t.mox");
  ASSERT_TRUE(reading.model) << reading.error;
  ControlModel& model = *reading.model;
  const auto id = [&](const char* name) { return model.IdOf(name); };
  EXPECT_EQ(model.FocusOrder(id("D")), (std::vector<int>{id("E"), id("C"), id("B"), id("K")}));
  model.Find(id("B"))->visible = false;
  EXPECT_EQ(model.NextInFocusOrder(id("D"), id("C"), false), id("K"));
  EXPECT_EQ(model.NextInFocusOrder(id("D"), id("K"), false), id("E"));  // wraps round
  EXPECT_EQ(model.NextInFocusOrder(id("D"), id("E"), true), id("K"));
  EXPECT_EQ(model.NextInFocusOrder(id("D"), id("B"), false), id("E"));  // from a control not in the order
}

struct BrokenLayout {
  const char* text;
  const char* error;
};

class LayoutErrors : public testing::TestWithParam<BrokenLayout> {};

TEST_P(LayoutErrors, SayWhatAndWhere) {
  const LayoutReading reading = ReadLayout(GetParam().text, "x.mox");
  EXPECT_FALSE(reading.model);
  EXPECT_EQ(reading.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    LayoutReader, LayoutErrors,
    testing::Values(
        BrokenLayout{"<layout>\n<dialog name=\"D\">\n</layout>", "x.mox:2: malformed XML (XML_ERROR_MISMATCHED_ELEMENT)"},
        BrokenLayout{"<layout>\n<dialog name=\"D\">\n<edit width=\"3\"/>\n</dialog></layout>",
                     "x.mox:3: <edit> has no name"},
        BrokenLayout{"<layout><dialog name=\"D\">\n<edit name=\"A\"/>\n<button name=\"A\"/></dialog></layout>",
                     "x.mox:3: two controls are named \"A\" (the first on line 2)"},
        BrokenLayout{"<layout><dialog name=\"D\">\n\n<slider name=\"S\"/></dialog></layout>",
                     "x.mox:3: unknown kind of control <slider>"},
        BrokenLayout{"<layout><dialog name=\"D\">\n<edit name=\"E\" colour=\"red\"/></dialog></layout>",
                     "x.mox:2: <edit> has no attribute \"colour\""},
        BrokenLayout{"<layout><dialog name=\"D\">\n<edit name=\"E\" width=\"-3\"/></dialog></layout>",
                     "x.mox:2: width=\"-3\" is not a number from 1 to 500"},
        BrokenLayout{"<layout>\n<requires>D Result</requires>\n<dialog name=\"D\"/></layout>",
                     "x.mox:2: no control is named \"Result\", which the layout requires"},
        BrokenLayout{"<layout><dialog name=\"D\"/>\n<panel name=\"P\"/></layout>",
                     "x.mox:2: <panel> cannot stand at the top of a layout (a <dialog> or <requires> can)"},
        BrokenLayout{"<layout><dialog name=\"D\" cancel=\"B\"/>\n<dialog name=\"E\"><button name=\"B\"/></dialog></layout>",
                     "x.mox:1: cancel=\"B\" names no control of \"D\""},
        BrokenLayout{"<layout><dialog name=\"D\">\n<label name=\"L\">text</label></dialog></layout>",
                     "x.mox:2: text of <label> belongs in its text attribute"},
        BrokenLayout{"<layout><dialog name=\"D\">\n<combo name=\"C\"><option/></combo></dialog></layout>",
                     "x.mox:2: a <combo> holds only <item> elements with text"},
        BrokenLayout{"<menu/>", "x.mox:1: the root element must be <layout>"}));

TEST(LayoutReader, RefusesWhatIsNoTextOrNestedDeeperThanAnyLayoutNeeds) {
  EXPECT_EQ(ReadLayout(std::string("<layout>\n\0</layout>", 18), "z.mox").error, "z.mox:2: a zero byte: not a text file");
  std::string deep;
  for (int i = 0; i < 10000; ++i) deep += "<x>";
  const LayoutReading reading = ReadLayout("<layout>" + deep, "deep.mox");
  EXPECT_EQ(reading.error, "deep.mox:1: elements nested too deep");
}

}  // namespace
