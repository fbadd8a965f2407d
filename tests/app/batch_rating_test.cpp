#include "app/batch_rating.h"

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "support/random_text.h"
#include "support/scratch_directory.h"
#include "support/reference_rules.h"

namespace {

const char kI7Line[] = "10001\ta\tb\tIntel Core i7 980X @ 3.33GHz\t8192.00 MB\tNVIDIA GeForce GTX 690";
const char kI5Line[] = "10001\ta\tb\tIntel Core i5-2400 @ 3.10GHz\t4096.00 MB\tNVIDIA GeForce GTX 660";

TEST(MatchDeviceLine, TakesIdProcessorMemoryAndGraphicsColumns) {
  const std::string text = std::string(kI7Line) + "\textra\tcolumns";
  std::optional<DeviceLine> line = MatchDeviceLine(text);
  ASSERT_TRUE(line);
  EXPECT_EQ(line->id, "10001");
  EXPECT_EQ(line->processor, "Intel Core i7 980X @ 3.33GHz");
  EXPECT_EQ(line->memory_mib, "8192.00");
  EXPECT_EQ(line->graphics, "NVIDIA GeForce GTX 690");
  EXPECT_FALSE(MatchDeviceLine("id\tb\tc\tcpu\tMB 8192\tgpu"));
  EXPECT_FALSE(MatchDeviceLine("id\tb c\tc\tcpu\t8192\tgpu"));
  EXPECT_FALSE(MatchDeviceLine("id\tb\tc\tcpu\t8192"));
  EXPECT_FALSE(MatchDeviceLine(""));
}

TEST(MatchDeviceLine, AgreesWithTheLinePatternOnGeneratedLines) {
  const std::vector<std::string> fragments = {
      "\t", "\t", "\t", "\t", " ", "a", "10001", "Intel Core", "8192.00", ".", "1.2.3", " MB",
      "x", "\r", "\n", "\v", "\xB5\xD8", "\xFF", "9", "GTX 690", "(R)", "\f", "-", ""};
  const std::vector<std::string> words = {"a", "10001", "x", "\xB5\xD8", "-", "(R)"};
  const std::vector<std::string> memory = {"8192.00", "1.2.3", ".", "9", "4096"};
  RandomText random(1023);
  int matching_lines = 0;
  for (int i = 0; i < 50000; ++i) {
    std::string line;
    if (random.Chance(40)) {
      line = random.Join(fragments, 0, 16);
    } else {  // column-shaped lines, mostly well-formed, to reach every column
      const int columns = random.Between(4, 8);
      for (int column = 1; column <= columns; ++column) {
        const bool plain = random.Chance(85);
        if (plain && column <= 3) {
          line += random.Join(words, 1, 2);
        } else if (plain && column == 5) {
          line += random.Pick(memory) + random.Join(fragments, 0, 2);
        } else {
          line += random.Join(fragments, 1, 3);
        }
        if (column < columns) line += '\t';
      }
    }
    const std::optional<ReferenceDeviceLine> expected = ReferenceMatchDeviceLine(line);
    const std::optional<DeviceLine> actual = MatchDeviceLine(line);
    ASSERT_EQ(actual.has_value(), expected.has_value()) << "line #" << i << ": \"" << line << '"';
    if (!expected) continue;
    ++matching_lines;
    EXPECT_EQ(actual->id, expected->id);
    EXPECT_EQ(actual->processor, expected->processor);
    EXPECT_EQ(actual->memory_mib, expected->memory_mib);
    EXPECT_EQ(actual->graphics, expected->graphics);
  }
  EXPECT_GT(matching_lines, 1000);  // the generator reaches the matching shapes too
}

std::string RateLines(const std::string& list) {
  std::istringstream input(list);
  std::ostringstream output;
  MachineInfoRecord info;
  RateDeviceLines(input, output, info);
  return output.str();
}

TEST(RateDeviceLines, WritesOneResultLinePerRatedLine) {
  EXPECT_EQ(RateLines(std::string("header line\n") + kI7Line + "\n" + kI5Line + "\n"),
            "10001\t1\t848\n10001\t2\t789\n");
  EXPECT_EQ(RateLines("7\ta\tb\tIntel Core i7 980X @ 3.33GHz\t8192.00 MB\tNo Such Graphics\n"), "7\t-1\t0\n");
  EXPECT_EQ(RateLines(""), "");
  EXPECT_EQ(RateLines(kI5Line), "10001\t2\t789\n");  // a last line without a line feed
}

TEST(RateDeviceLines, ReadsWindowsLineEndsLikeLineFeeds) {
  EXPECT_EQ(RateLines(std::string(kI7Line) + "\r\n" + kI5Line + "\r\n"), "10001\t1\t848\n10001\t2\t789\n");
}

TEST(RateDeviceLines, SkipsOverlongLinesAndMemoryThatIsNoNumberOrOutOfRange) {
  const std::string long_line = "1\ta\tb\t" + std::string(1100, 'x') + "\t8192\tNVIDIA GeForce GTX 690";
  std::string filler(1023 - std::string(kI5Line).size(), ' ');
  const std::string longest_line = std::string(kI5Line) + filler;  // exactly 1023 characters
  std::istringstream input(long_line + "\n2\ta\tb\tcpu\t1.2.3\tgpu\n" + longest_line + "\r\n" + kI7Line + "\n" +
                           "3\ta\tb\tcpu\t99999999999999999999\tgpu\n" + "4\ta\tb\tcpu\t0." + std::string(400, '0') +
                           "1\tgpu\n");
  std::ostringstream output;
  MachineInfoRecord info;
  BatchResult result = RateDeviceLines(input, output, info);
  EXPECT_EQ(output.str(), "10001\t2\t789\n10001\t1\t848\n4\t-1\t0\n");  // a memory too small for a double is 0
  EXPECT_EQ(result.rated_lines, 3);
  EXPECT_EQ(result.skipped_overlong_lines, 1);
  EXPECT_EQ(result.skipped_bad_memory_lines, 1);
  EXPECT_EQ(result.skipped_huge_memory_lines, 1);

  EXPECT_EQ(RateLines(longest_line + " \n"), "");  // 1024 characters
}

TEST(RateDeviceLines, SurvivesBinaryGarbage) {
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  EXPECT_EQ(RateLines(garbage + "\n" + kI7Line + "\n" + garbage), "10001\t1\t848\n");
}

class RateDeviceListFiles : public testing::Test {
 protected:
  std::string Path(const char* name) const { return dir_.File(name); }
  static std::string Read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

  ScratchDirectory dir_{"machinecheck-batch"};
};

TEST_F(RateDeviceListFiles, WritesTheResultFileInTextMode) {
  { std::ofstream(Path("list.txt"), std::ios::binary) << kI7Line << "\r\n"; }
  { std::ofstream(Path("result.txt")) << "old content that must go\n"; }
  BatchResult result = RateDeviceList(Path("result.txt"), Path("list.txt"));
  EXPECT_TRUE(result.input_opened);
  EXPECT_TRUE(result.output_opened);
  std::ifstream text_mode(Path("result.txt"));
  std::string line;
  ASSERT_TRUE(std::getline(text_mode, line));
  EXPECT_EQ(line, "10001\t1\t848");
  EXPECT_FALSE(std::getline(text_mode, line));
}

TEST_F(RateDeviceListFiles, AListThatCannotBeOpenedLeavesTheResultFileAlone) {
  { std::ofstream(Path("result.txt"), std::ios::binary) << "earlier results\n"; }
  std::filesystem::create_directory(Path("folder"));
  for (const char* list : {"missing.txt", "folder"}) {
    EXPECT_FALSE(RateDeviceList(Path("result.txt"), Path(list)).input_opened) << list;
    EXPECT_EQ(Read(Path("result.txt")), "earlier results\n") << list;
  }
}

TEST_F(RateDeviceListFiles, AnEmptyListGivesAnEmptyResultFile) {
  { std::ofstream(Path("list.txt")); }
  EXPECT_TRUE(RateDeviceList(Path("result.txt"), Path("list.txt")).output_opened);
  EXPECT_TRUE(std::filesystem::exists(Path("result.txt")));
  EXPECT_EQ(Read(Path("result.txt")), "");
}

}  // namespace
