#include "velumfab/terminal/screen_painter.h"

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "platform/text_encoding.h"
#include "velumfab/core/layout_reader.h"
#include "velumfab/terminal/terminal_colors.h"
#include "velumfab/terminal/text_cells.h"

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
  void Put(int row, int column, const std::string& utf8, const CellLook& look) override {
    for (std::size_t at = 0; at < utf8.size();) {
      std::size_t length = 1;
      while (at + length < utf8.size() && (static_cast<unsigned char>(utf8[at + length]) & 0xC0) == 0x80) ++length;
      const std::string character = utf8.substr(at, length);
      const int width = CellWidth(character);
      if (row >= 0 && row < rows_ && column >= 0 && column + width <= columns_) {
        Cell(row, column) = character;
        looks_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = look;
        if (width == 2) Cell(row, column + 1) = "";
      }
      column += width;
      at += length;
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
  Cursor Find(const std::string& utf8) const {
    for (int row = 0; row < rows_; ++row) {
      const std::string line = Line(row);
      const std::size_t at = line.find(utf8);
      if (at != std::string::npos) return Cursor{row, CellWidth(line.substr(0, at))};
    }
    return Cursor{-1, -1};
  }

 private:
  std::string& Cell(int row, int column) {
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

  ControlModel model_;
  MemoryCanvas canvas_{30, 80};
};

TEST_F(ScreenPainterTest, DrawsTheDialogWithWideCharactersAligned) {
  Get("Static_Captcha").text = "3412";
  Get("Edit_Orbi").text = "12345";
  ScreenState state{{Id("Main")}, Id("Edit_Orbi")};
  const std::optional<Cursor> caret = PaintScreen(model_, state, canvas_);

  const Cursor origin = FrameOrigin(Get("Main"), 30, 80);
  const Cursor title = canvas_.Find("Corvo 封测机器检测");
  EXPECT_EQ(title.row, origin.row);
  // Every line of the window ends at its right edge, however many wide
  // characters it holds.
  for (int row = origin.row; row < origin.row + Get("Main").height; ++row) {
    const std::string line = canvas_.Line(row);
    const std::string edge = row == origin.row ? "┐" : row == origin.row + Get("Main").height - 1 ? "┘" : "│";
    EXPECT_EQ(CellWidth(line.substr(0, line.rfind(edge))), origin.column + Get("Main").width - 1) << line;
  }
  const Cursor label = canvas_.Find("Orbi号码：");
  EXPECT_EQ(label.column, origin.column + Get("Label_Orbi").x);
  EXPECT_EQ(canvas_.Find("[12345").column, origin.column + Get("Edit_Orbi").x);
  EXPECT_NE(canvas_.Find("3412").row, -1);
  EXPECT_NE(canvas_.Find("[请选择").row, -1);
  ASSERT_TRUE(caret);
  EXPECT_EQ(caret->row, origin.row + Get("Edit_Orbi").y);
  EXPECT_EQ(caret->column, origin.column + Get("Edit_Orbi").x + 1 + 5);
  EXPECT_TRUE(canvas_.Look(caret->row, caret->column).reverse);  // the focused field
}

TEST_F(ScreenPainterTest, APanelCoversTheDialogAndShowsItsColouredText) {
  Get("Static_Msg").rich = ParseRichText(Cp936FromUtf8("<font color=\"0xC1D506\" bold=\"1\">提交成功，感谢您参与本次封测资格检测，结果将在三个工作日内公布。</font>"));
  Get("Button_OK_Close").visible = false;
  ScreenState state{{Id("Main"), Id("Result")}, Id("Button_OK")};
  EXPECT_FALSE(PaintScreen(model_, state, canvas_));  // no edit has the focus: no caret

  const Cursor message = canvas_.Find("提交成功");
  ASSERT_NE(message.row, -1);
  EXPECT_EQ(canvas_.Look(message.row, message.column).color, 0xC1D506u);
  EXPECT_TRUE(canvas_.Look(message.row, message.column).bold);
  EXPECT_EQ(canvas_.Find("三个工作日").row, message.row + 1);  // wrapped inside the label's width
  EXPECT_NE(canvas_.Find("确定").row, -1);
  Get("Static_Msg").rich = ParseRichText(Cp936FromUtf8("感谢您参与本次检测，您的电脑配置信息已成功提交！"));
  PaintScreen(model_, state, canvas_);
  EXPECT_EQ(canvas_.Find("交！").row, canvas_.Find("感谢").row + 1);  // never "！" alone on a line
  EXPECT_EQ(canvas_.Find("<    关闭    >").column, Get("Main").x + FrameOrigin(Get("Main"), 30, 80).column + 42);
  EXPECT_EQ(canvas_.Find("Orbi号码").row, -1);  // covered by the panel
}

TEST_F(ScreenPainterTest, AnOpenListShowsTheItemsWithTheCursor) {
  ScreenState state{{Id("Main")}, Id("ComboBox_PV"), Id("ComboBox_PV"), 2};
  PaintScreen(model_, state, canvas_);
  const Cursor first = canvas_.Find("│华北地区");
  const Cursor third = canvas_.Find("│华南地区");
  ASSERT_NE(first.row, -1);
  EXPECT_EQ(third.row, first.row + 2);
  EXPECT_TRUE(canvas_.Look(third.row, third.column + 1).reverse);
  EXPECT_FALSE(canvas_.Look(first.row, first.column + 1).reverse);
}

TEST_F(ScreenPainterTest, ATerminalTooSmallSaysSo) {
  MemoryCanvas small(15, 50);
  ScreenState state{{Id("Main")}, 0};
  PaintScreen(model_, state, small);
  EXPECT_EQ(small.Line(0).substr(0, small.Line(0).find_last_not_of(' ') + 1),
            "终端窗口太小：对话框需要 62×19，现在只有 50×15。");
  EXPECT_EQ(small.Find("┌").row, -1);
}

TEST(TerminalColors, ReadColoursAsColorrefs) {
  // 0x00BBGGRR: the failure colour is red, the success colour green.
  EXPECT_EQ(NearestTerminalColor(0x1717C5, 8), 1);
  EXPECT_EQ(NearestTerminalColor(0xC1D506, 8), 2);
  EXPECT_EQ(NearestTerminalColor(0x1717C5, 256), 16 + 36 * 4);
  EXPECT_EQ(NearestTerminalColor(0xC1D506, 256), 16 + 6 * 4 + 3);
}

TEST(TextCells, CountWideCharactersTwice) {
  EXPECT_EQ(CellWidth("Orbi号码："), 10);
  EXPECT_EQ(CellWidth("a\xFF"), 2);  // an invalid byte takes a cell
  EXPECT_EQ(FitCells("号码x", 3), "号");
  EXPECT_EQ(LastCells("12号码", 5), "2号码");
  EXPECT_EQ(WrapCells("ab号码\ncd", 4), (std::vector<std::string>{"ab号", "码", "cd"}));
  EXPECT_TRUE(StartsWithClosingPunctuation("。x"));
  EXPECT_FALSE(StartsWithClosingPunctuation("x。"));
}

}  // namespace
