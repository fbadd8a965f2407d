#include "rating/score_table.h"

#include <map>
#include <optional>

#include <gtest/gtest.h>

#include "platform/resources.h"
#include "support/random_text.h"
#include "support/reference_rules.h"

namespace {

TEST(ParseScoreTable, TakesNameBeforeTheLastColonThatADigitFollows) {
  ScoreTable table = ParseScoreTable("A:B:12\r\nname:12abc\r\nspaced: 34\r\n");
  EXPECT_EQ(table.Size(), 2u);
  ASSERT_NE(table.Find("A:B"), nullptr);
  EXPECT_EQ(*table.Find("A:B"), 12);
  ASSERT_NE(table.Find("name"), nullptr);
  EXPECT_EQ(*table.Find("name"), 12);
  EXPECT_EQ(table.Count("spaced"), 0u);  // the colon must be followed directly by a digit
}

TEST(ParseScoreTable, KeepsTheFirstSpellingAndTheLastScoreOfEquivalentNames) {
  ScoreTable table = ParseScoreTable("NVIDIA GeForce GT630:1850\r\nother:5\r\nNVIDIA GeForce GT 630:1400\r\n");
  EXPECT_EQ(table.Size(), 2u);
  EXPECT_EQ(*table.Find("nvidia geforce gt 630"), 1400);
  EXPECT_EQ(table.StoredName("NVIDIA GeForce GT 630"), "NVIDIA GeForce GT630");
}

TEST(ParseScoreTable, SkipsLinesWithoutEntriesAndScoresBeyond32Bits) {
  ScoreTable table = ParseScoreTable("\r\n# comment\r\nbig:2147483648\r\nmax:2147483647\r\nlast:7");
  EXPECT_EQ(table.Size(), 2u);
  EXPECT_EQ(*table.Find("max"), 2147483647);
  EXPECT_EQ(*table.Find("last"), 7);  // no line end after the last entry
  EXPECT_EQ(table.Count("big"), 0u);
}

TEST(ParseScoreTable, EmptyTextGivesAnEmptyTable) {
  ScoreTable table = ParseScoreTable("");
  EXPECT_EQ(table.Size(), 0u);
  EXPECT_EQ(table.Count(""), 0u);
  EXPECT_EQ(table.Count("Intel Core i5"), 0u);
}

struct ExpectedEntry {
  std::string name;
  std::int32_t score;
};

std::optional<std::int32_t> ScoreFromDigits(const std::string& digits) {
  std::int64_t value = 0;
  for (char digit : digits) {
    value = value * 10 + (digit - '0');
    if (value > 2147483647) return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

// The table that the entry pattern "(.*):(\d+)" and the regular-expression
// normalisation describe: normalised name -> first spelling, last score.
std::map<std::string, ExpectedEntry> ExpectedTable(const std::string& text) {
  std::map<std::string, ExpectedEntry> expected;
  for (const auto& [name, digits] : ReferenceScoreEntries(text)) {
    std::optional<std::int32_t> score = ScoreFromDigits(digits);
    if (!score) continue;
    expected.try_emplace(ReferenceNormalizeDeviceName(name), ExpectedEntry{name, 0}).first->second.score = *score;
  }
  return expected;
}

void ExpectSameEntriesAsThePattern(const std::string& text) {
  const std::map<std::string, ExpectedEntry> expected = ExpectedTable(text);
  const ScoreTable table = ParseScoreTable(text);
  ASSERT_EQ(table.Size(), expected.size()) << '"' << text << '"';
  for (const auto& [key, entry] : expected) {
    ASSERT_NE(table.Find(entry.name), nullptr) << '"' << entry.name << '"';
    EXPECT_EQ(*table.Find(entry.name), entry.score) << '"' << entry.name << '"';
    EXPECT_EQ(table.StoredName(entry.name), entry.name);
  }
}

TEST(ParseScoreTable, AgreesWithTheEntryPatternOnTheBuiltInTables) {
  ExpectSameEntriesAsThePattern(LoadTextResource("GPU.TXT", "TEXT"));
  ExpectSameEntriesAsThePattern(LoadTextResource("CPU.TXT", "TEXT"));
}

TEST(ParseScoreTable, AgreesWithTheEntryPatternOnGeneratedTexts) {
  std::vector<std::string> fragments = DeviceNameFragments();
  for (const char* extra : {":", ":", ":1", ":12", "\r\n", "\n", "\r", "5", "4294967296", " :3"}) {
    fragments.emplace_back(extra);
  }
  RandomText random(936);
  for (int i = 0; i < 2000; ++i) ExpectSameEntriesAsThePattern(random.Join(fragments, 0, 30));
}

TEST(LoadTextResource, FindsResourcesWhateverTheCaseOfTheirName) {
  const std::string cpu = LoadTextResource("cpu.txt", "text");
  EXPECT_EQ(cpu, LoadTextResource("CPU.TXT", "TEXT"));
  EXPECT_EQ(cpu.rfind("Intel Core i7 995X @ 3.60GHz:10862\r\n", 0), 0u);
  EXPECT_EQ(cpu.substr(cpu.size() - 2), "\r\n");
  EXPECT_EQ(LoadTextResource("missing.txt", "TEXT"), "");
}

TEST(BuiltInTables, HoldEveryDistinctDeviceOfTheShippedFiles) {
  EXPECT_EQ(LoadScoreTable("cpu.txt").Size(), 5044u);
  EXPECT_EQ(LoadScoreTable("gpu.txt").Size(), 2222u);
  EXPECT_EQ(*CpuTable().Find("Intel(R) Core(TM) i7 CPU 980X @ 3.33GHz"), 10500);
  EXPECT_EQ(*GpuTable().Find("NVIDIA GeForce GTX 690"), 14000);
  EXPECT_EQ(*GpuTable().Find("NVIDIA GeForce GT 630"), 1400);
  EXPECT_EQ(*GpuTable().Find("AMD Radeon HD 6800 Series"), 3000);
  EXPECT_EQ(GpuTable().StoredName("AMD Radeon HD 6800 Series"), "Radeon HD 6800 Series");
  EXPECT_EQ(*GpuTable().Find("AMD Radeon HD 7000 series"), 4000);
}

TEST(ScoreTable, FindOrInsertAddsAnAbsentNameWithScoreZero) {
  ScoreTable table = ParseScoreTable("Known:5\r\n");
  EXPECT_EQ(table.FindOrInsert("known"), 5);
  EXPECT_EQ(table.Size(), 1u);
  EXPECT_EQ(table.FindOrInsert("Unknown GPU"), 0);
  EXPECT_EQ(table.Size(), 2u);
  EXPECT_EQ(table.Count("unknown"), 1u);
}

// Names are kept in storage of the table's own, which grows in blocks:
// scores and names must survive many insertions, names longer than a block
// and a move.
TEST(ScoreTable, KeepsItsNamesAcrossGrowthAndAMove) {
  ScoreTable table;
  std::int32_t& empty = table.FindOrInsert("");
  empty = 7;
  const std::string long_name(10000, 'x');
  table.FindOrInsert(long_name) = 8;
  for (int i = 0; i < 3000; ++i) table.FindOrInsert("Device (R) " + std::to_string(i)) = i;
  EXPECT_EQ(empty, 7);
  ScoreTable moved = std::move(table);
  EXPECT_EQ(moved.Score(""), 7);
  EXPECT_EQ(moved.Score(long_name), 8);
  EXPECT_EQ(moved.Score("device 2999"), 2999);  // found by its normalised form
  EXPECT_EQ(moved.StoredName("DEVICE 1234"), "Device (R) 1234");
  EXPECT_EQ(moved.Size(), 3002u);
}

}  // namespace
