#include "velumfab/script/script_steps.h"

#include <gtest/gtest.h>

#include "velumfab/core/input_queue.h"

namespace {

using namespace VelumFab;
using Kind = ScriptStep::Kind;
using Condition = ScriptStep::Condition;

TEST(ScriptSteps, ReadsEveryStep) {
  const ScriptReading reading = ReadScript(
      "# the player's run\r\n"
      "type Edit_Orbi 12345 \r\n"
      "\n"
      "  copy Static_Captcha Edit_Captcha\n"
      "choose ComboBox_PV 7\n"
      "key Button_Start Shift-Tab\n"
      "click Btn_Close\n"
      "close\n"
      "expect text Static_Msg \xE6\x88\x90\xE5\x8A\x9F\n"
      "expect color Static_Msg 0xC1D506\n"
      "expect selection Combo_Age -1\n"
      "end",
      "run.txt");
  ASSERT_EQ(reading.error, "");
  const auto& steps = reading.steps;
  ASSERT_EQ(steps.size(), 10u);
  EXPECT_EQ(steps[0].kind, Kind::kType);
  EXPECT_EQ(steps[0].text, U"12345 ");  // the rest of the line, a trailing blank included
  EXPECT_EQ(steps[0].line, 2);
  EXPECT_EQ(steps[1].source, "copy Static_Captcha Edit_Captcha");
  EXPECT_EQ(steps[1].edit, "Edit_Captcha");
  EXPECT_EQ(steps[2].number, 7);
  EXPECT_EQ(steps[3].key, kKeyTab);
  EXPECT_TRUE(steps[3].shift);
  EXPECT_EQ(steps[5].kind, Kind::kClose);
  EXPECT_EQ(steps[6].condition, Condition::kText);
  EXPECT_EQ(steps[6].text, U"成功");
  EXPECT_EQ(steps[7].number, 0xC1D506);
  EXPECT_EQ(steps[8].number, -1);
  EXPECT_EQ(steps[9].kind, Kind::kEnd);
}

TEST(ScriptSteps, RefusesAScriptWithAnUnreadableStep) {
  const auto error = [](const char* text) { return ReadScript(text, "s.txt").error; };
  EXPECT_EQ(error("click A\nclik B"), "s.txt:2: unknown step \"clik\"");
  EXPECT_EQ(error("key A PageDown"), "s.txt:1: unknown key \"PageDown\"");
  EXPECT_EQ(error("choose A x"), "s.txt:1: \"x\" is not an item number");
  EXPECT_EQ(error("click"), "s.txt:1: missing control name");
  EXPECT_EQ(error("click A B"), "s.txt:1: unexpected \"B\"");
  EXPECT_EQ(error("expect bright A"), "s.txt:1: unknown condition \"bright\"");
  EXPECT_EQ(error("expect color A green"), "s.txt:1: \"green\" is not a colour (0x and six hexadecimal digits)");
  EXPECT_TRUE(ReadScript("click A\nclik B", "s.txt").steps.empty());
}

}  // namespace
