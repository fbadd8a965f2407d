#include "velumfab/terminal/screen_painter.h"

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "platform/character_width.h"
#include "platform/text_encoding.h"
#include "platform/unicode_text.h"
#include "velumfab/core/control_text.h"
#include "velumfab/core/layout_reader.h"
#include "velumfab/terminal/terminal_colors.h"

namespace {

using namespace VelumFab;

// A terminal screen in memory: each cell holds one character, a wide
// character its first cell and an empty second one.
class MemoryCanvas final : public Canvas {
 public:
  MemoryCanvas(int rows, int columns) : rows_(rows), columns_(columns) { Clear(); }
  int Rows() const override { return rows_; }
  int Columns() const override { return columns_; }
  void Clear() override {
    cells_.assign(static_cast<std::size_t>(rows_), std::vector<std::string>(static_cast<std::size_t>(columns_), " "));
    looks_.assign(static_cast<std::size_t>(rows_), std::vector<CellLook>(static_cast<std::size_t>(columns_)));
  }
  void Put(int row, int column, std::u32string_view text, const CellLook& look) override {
    for (char32_t c : text) {
      const int width = CharacterCells(c);
      if (row >= 0 && row < rows_ && column >= 0 && column + width <= columns_) {
        CellAt(row, column) = Utf8FromUtf32(std::u32string(1, c));
        looks_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = look;
        if (width == 2) CellAt(row, column + 1) = "";
      }
      column += width;
    }
  }
  std::string Line(int row) const {
    std::string line;
    for (const std::string& cell : cells_[static_cast<std::size_t>(row)]) line += cell;
    return line;
  }
  const CellLook& Look(int row, int column) const {
    return looks_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  }
  // The row and column where `utf8` first appears, or (-1, -1).
  Cell Find(const std::string& utf8) const {
    for (int row = 0; row < rows_; ++row) {
      const std::string line = Line(row);
      const std::size_t at = line.find(utf8);
      if (at != std::string::npos) return Cell{row, Cells(line.substr(0, at))};
    }
    return Cell{-1, -1};
  }
  static int Cells(const std::string& utf8) { return TextCells(Utf32FromUtf8(utf8)); }

 private:
  std::string& CellAt(int row, int column) {
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  }
  int rows_, columns_;
  std::vector<std::vector<std::string>> cells_;
  std::vector<std::vector<CellLook>> looks_;
};

class ScreenPainterTest : public testing::Test {
 protected:
  ScreenPainterTest() {
    std::ifstream file(std::string(MC_BUILD_DIR) + "/Main.mox", std::ios::binary);
    model_ = *ReadLayout(std::string(std::istreambuf_iterator<char>(file), {}), "Main.mox").model;
  }
  Control& Get(const char* name) { return *model_.Find(model_.IdOf(name)); }
  int Id(const char* name) { return model_.IdOf(name); }
  UiState Showing(std::vector<int> frames, int focus) {
    UiState state;
    for (int frame : frames) state.frames.push_back(OpenFrame{frame});
    state.focus[frames.back()] = focus;
    return state;
  }
  Cell Origin(const char* frame, const Canvas& canvas) { return FrameOrigin(Get(frame).width, Get(frame).height, canvas); }

  ControlModel model_;
  MemoryCanvas canvas_{30, 80};
};

TEST_F(ScreenPainterTest, DrawsTheDialogWithWideCharactersAligned) {
  SetControlText(Get("Static_Captcha"), "3412");
  SetControlText(Get("Edit_Orbi"), "12345");
  const PaintedScreen painted = PaintScreen(model_, Showing({Id("Main")}, Id("Edit_Orbi")), canvas_);

  const Cell origin = Origin("Main", canvas_);
  EXPECT_EQ(canvas_.Find("Corvo 封测机器检测").row, origin.row);
  // Every line of the window ends at its right edge, however many wide
  // characters it holds.
  for (int row = origin.row; row < origin.row + Get("Main").height; ++row) {
    const std::string line = canvas_.Line(row);
    const std::string edge = row == origin.row ? "┐" : row == origin.row + Get("Main").height - 1 ? "┘" : "│";
    EXPECT_EQ(MemoryCanvas::Cells(line.substr(0, line.rfind(edge))), origin.column + Get("Main").width - 1) << line;
  }
  EXPECT_EQ(canvas_.Find("Orbi号码：").column, origin.column + Get("Label_Orbi").x);
  EXPECT_EQ(canvas_.Find("[12345").column, origin.column + Get("Edit_Orbi").x);
  EXPECT_NE(canvas_.Find("3412").row, -1);
  EXPECT_NE(canvas_.Find("[请选择").row, -1);
  ASSERT_TRUE(painted.caret);
  EXPECT_EQ(painted.caret->row, origin.row + Get("Edit_Orbi").y);
  EXPECT_EQ(painted.caret->column, origin.column + Get("Edit_Orbi").x + 1 + 5);
  EXPECT_TRUE(canvas_.Look(painted.caret->row, painted.caret->column).reverse);  // the focused field
}

TEST_F(ScreenPainterTest, AnEditShowsTheStretchOfItsTextWhereTheCaretIs) {
  Control& edit = Get("Edit_Captcha");  // 8 cells inside its brackets
  SetControlText(edit, "\xD6\xD0\xCE\xC4" "1234567890");  // 中文1234567890
  edit.caret = 1;
  PaintedScreen painted = PaintScreen(model_, Showing({Id("Main")}, Id("Edit_Captcha")), canvas_);
  EXPECT_NE(canvas_.Find("[中文1234]").row, -1);
  EXPECT_EQ(painted.caret->column, Origin("Main", canvas_).column + edit.x + 1 + 2);
  edit.caret = 14;  // the end
  painted = PaintScreen(model_, Showing({Id("Main")}, Id("Edit_Captcha")), canvas_);
  EXPECT_NE(canvas_.Find("[4567890 ]").row, -1);
  EXPECT_EQ(painted.caret->column, Origin("Main", canvas_).column + edit.x + 1 + 7);
}

TEST_F(ScreenPainterTest, APanelCoversTheDialogAndShowsItsColouredText) {
  SetRichMarkup(Get("Static_Msg"),
                Cp936FromUtf8("<font color=\"0xC1D506\" bold=\"1\">提交成功，感谢您参与本次封测资格检测，结果将在三个工作日内公布。</font>"));
  Get("Button_OK_Close").visible = false;
  EXPECT_FALSE(PaintScreen(model_, Showing({Id("Main"), Id("Result")}, Id("Button_OK")), canvas_).caret);

  const Cell message = canvas_.Find("提交成功");
  ASSERT_NE(message.row, -1);
  EXPECT_EQ(canvas_.Look(message.row, message.column).color, 0xC1D506u);
  EXPECT_TRUE(canvas_.Look(message.row, message.column).bold);
  EXPECT_EQ(canvas_.Find("三个工作日").row, message.row + 1);  // wrapped inside the label's width
  EXPECT_NE(canvas_.Find("确定").row, -1);
  SetRichMarkup(Get("Static_Msg"), Cp936FromUtf8("感谢您参与本次检测，您的电脑配置信息已成功提交！"));
  PaintScreen(model_, Showing({Id("Main"), Id("Result")}, Id("Button_OK")), canvas_);
  EXPECT_EQ(canvas_.Find("交！").row, canvas_.Find("感谢").row + 1);  // never "！" alone on a line
  EXPECT_EQ(canvas_.Find("Orbi号码").row, -1);  // covered by the panel
}

TEST_F(ScreenPainterTest, ALongResultGrowsThePanelInsteadOfBeingCut) {
  const auto repeated = [](int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += "\xCA\xFD\xBE\xDD\xCC\xE1\xBD\xBB\xCA\xA7\xB0\xDC";  // 数据提交失败
    return text + "END";
  };
  Get("Button_OK").visible = false;
  SetRichMarkup(Get("Static_Msg"), repeated(30));
  const PaintedScreen painted = PaintScreen(model_, Showing({Id("Main"), Id("Result")}, Id("Button_OK_Close")), canvas_);
  ASSERT_FALSE(painted.too_small);
  EXPECT_NE(canvas_.Find("END").row, -1);  // 180 characters: 8 lines of the label's 23, all shown
  EXPECT_LT(canvas_.Find("END").row, canvas_.Find("关闭").row);  // the button moved down below the text
  // More than the screen holds: the panel fills it and the label shows that
  // its text goes on.
  SetRichMarkup(Get("Static_Msg"), repeated(100));
  MemoryCanvas screen(20, 80);
  EXPECT_FALSE(PaintScreen(model_, Showing({Id("Main"), Id("Result")}, Id("Button_OK_Close")), screen).too_small);
  EXPECT_EQ(screen.Find("END").row, -1);
  EXPECT_NE(screen.Find("…").row, -1);
  EXPECT_NE(screen.Find("关闭").row, -1);
}

TEST_F(ScreenPainterTest, AnOpenListShowsTheItemsWithTheCursorAndThePointerFindsThem) {
  UiState state = Showing({Id("Main")}, Id("ComboBox_PV"));
  state.list = Id("ComboBox_PV");
  state.list_cursor = 2;
  const PaintedScreen painted = PaintScreen(model_, state, canvas_);
  const Cell first = canvas_.Find("│华北地区");
  const Cell third = canvas_.Find("│华南地区");
  ASSERT_NE(first.row, -1);
  EXPECT_EQ(third.row, first.row + 2);
  EXPECT_TRUE(canvas_.Look(third.row, third.column + 1).reverse);
  EXPECT_FALSE(canvas_.Look(first.row, first.column + 1).reverse);
  const PointerArea& last = painted.areas.back();  // drawn last, over the dialog
  EXPECT_EQ(last.control, Id("ComboBox_PV"));
  EXPECT_EQ(last.item, 7);
  EXPECT_EQ(last.row, first.row + 7);
}

TEST_F(ScreenPainterTest, ATerminalTooSmallSaysSoAndHowToQuit) {
  MemoryCanvas small(15, 40);
  EXPECT_TRUE(PaintScreen(model_, Showing({Id("Main")}, 0), small).too_small);
  std::string notice;
  for (int row = 0; row < 4; ++row) notice += small.Line(row).substr(0, small.Line(row).find_last_not_of(' ') + 1);
  EXPECT_EQ(notice, "终端窗口太小：对话框需要 62×19，现在只有 40×15。请放大终端窗口；按 Ctrl-C 退出。");
  EXPECT_EQ(small.Find("┌").row, -1);
}

TEST_F(ScreenPainterTest, WhileTheProgramIsAtWorkTheLastRowSaysSo) {
  UiState state = Showing({Id("Main")}, Id("Button_Start"));
  state.busy = true;
  PaintScreen(model_, state, canvas_);
  EXPECT_EQ(canvas_.Find("正在提交，请稍候…").row, 29);
  EXPECT_TRUE(canvas_.Look(29, 0).reverse);
}

TEST(TerminalColors, ReadColoursAsColorrefs) {
  // 0x00BBGGRR: the failure colour is red, the success colour green.
  EXPECT_EQ(NearestTerminalColor(0x1717C5, 8), 1);
  EXPECT_EQ(NearestTerminalColor(0xC1D506, 8), 2);
  EXPECT_EQ(NearestTerminalColor(0x1717C5, 256), 16 + 36 * 4);
  EXPECT_EQ(NearestTerminalColor(0xC1D506, 256), 16 + 6 * 4 + 3);
}

}  // namespace
