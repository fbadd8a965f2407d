#include "rating/rating.h"

#include <gtest/gtest.h>

#include "rating/rating_words.h"
#include "support/rating_fixture.h"

namespace {

const std::string kGraphics = kGraphicsWord;
const std::string kMemory = kMemoryWord;

struct RatingRow {
  std::int32_t graphics;
  std::int32_t processor;
  std::uint64_t memory;
  int level;
  int gain_extra;  // 0: random 1 to 50
  std::string low_devices;
};

TEST(RateScores, RatesEachTierAsDocumented) {
  const RatingRow rows[] = {
      {14000, 10862, 8 * kGiB, 1, 350, ""},
      {5000, 5000, 4 * kGiB, 2, 279, ""},
      {2500, 1900, 2 * kGiB, 3, 250, ""},
      {12000, 10256, 3 * kGiB, 3, 250, ""},
      {1300, 1250, 8 * kGiB, 3, 158, ""},
      {950, 600, 8 * kGiB, 4, 0, kGraphics + "/CPU"},
      {100, 100, 512 * kMiB, 5, 0, kGraphics + "/CPU/" + kMemory},
  };
  for (const RatingRow& row : rows) {
    SCOPED_TRACE(testing::Message() << row.graphics << " x " << row.processor << ", " << row.memory);
    const MachineRating rating = RateScores(row.processor, row.graphics, row.memory);
    EXPECT_EQ(rating.level, row.level);
    EXPECT_EQ(DeviceWords(rating.low_devices), row.low_devices);
    EXPECT_EQ(DeviceWords(rating.out_devices), "");
    if (row.gain_extra != 0) {
      EXPECT_EQ(rating.gain_extra, row.gain_extra);
    } else {
      EXPECT_GE(rating.gain_extra, 1);
      EXPECT_LE(rating.gain_extra, 50);
    }
    EXPECT_EQ(rating.gain, rating.gain_extra + 500);
  }
}

TEST(RateRecord, ADeviceMissingFromItsTableIsNotRated) {
  MachineInfoRecord info = DescribeMachine(0, 5000, 8 * kGiB);
  RateRecord(info);
  EXPECT_EQ(info["OutDevices"], kGraphics);
  EXPECT_EQ(info["LowDevices"], kGraphics);  // a score of 0 is the lowest tier
  EXPECT_EQ(info["Level"], "-1");
  EXPECT_EQ(info["GainExtra"], "0");
  EXPECT_EQ(info["Gain"], "0");

  info = DescribeMachine(0, 0, 8 * kGiB);
  RateRecord(info);
  EXPECT_EQ(info["OutDevices"], kGraphics + "/CPU");
  EXPECT_EQ(info["LowDevices"].rfind(kGraphics + "/CPU", 0), 0u);
  EXPECT_EQ(info["Level"], "-1");
}

TEST(RateRecord, MemoryTierStartsAtExactly3840MiB) {
  MachineInfoRecord info = DescribeMachine(14000, 10862, 3840 * kMiB);
  RateRecord(info);
  EXPECT_EQ(info["Level"], "1");
  info = DescribeMachine(14000, 10862, 3840 * kMiB - 1);
  RateRecord(info);
  EXPECT_EQ(info["Level"], "3");
  EXPECT_EQ(info["GainExtra"], "250");  // scores above the tier's range give its top
}

TEST(RateRecord, MemoryThatIsNoNumberRatesAsNone) {
  MachineInfoRecord info = DescribeMachine(14000, 10862, 0);
  info["RAM Bytes"] = "";
  RateRecord(info);
  EXPECT_EQ(info["Level"], "5");
  EXPECT_EQ(info["LowDevices"], kMemory);
}

TEST(RateScores, CurrentHardwareBeyondThe32BitProductGetsTheTopBonus) {
  // 80,000 x 40,000 does not fit a signed 32-bit integer.
  const MachineRating rating = RateScores(80000, 40000, 32 * kGiB);
  EXPECT_EQ(rating.level, 1);
  EXPECT_EQ(rating.gain_extra, 350);
}

TEST(RateRecord, RatesMachinesOfTheBuiltInTables) {
  MachineInfoRecord info;
  info["CPU"] = "Intel Core i7 980X @ 3.33GHz";
  info["GPU"] = "NVIDIA GeForce GTX 690";
  info["RAM Bytes"] = "8589934592";
  RateRecord(info);
  EXPECT_EQ(info["Level"], "1");
  EXPECT_EQ(info["GainExtra"], "348");
  EXPECT_EQ(info["Gain"], "848");

  info["CPU"] = "Intel Core i5-2400 @ 3.10GHz";
  info["GPU"] = "NVIDIA GeForce GTX 660";
  info["RAM Bytes"] = "4294967296";
  RateRecord(info);
  EXPECT_EQ(info["Level"], "2");
  EXPECT_EQ(info["Gain"], "789");
}

TEST(ComputeGainExtra, InterpolatesBySquareRootOfTheScoreProduct) {
  EXPECT_EQ(ComputeGainExtra(14000, 0, 10862), 350);
  EXPECT_EQ(ComputeGainExtra(12000, 0, 10256), 341);  // the tier's lower end
  EXPECT_EQ(ComputeGainExtra(1200, 2, 1200), 151);
  EXPECT_EQ(ComputeGainExtra(2500, 2, 1900), 250);  // lower end of the next tier: f = 1
  EXPECT_EQ(ComputeGainExtra(1000, 1, 1000), 251);  // below the tier: f = 0
}

// Machines of 2025-2026 from the second edition of the tables, by name as
// eval mode rates them. Their score products lie far above the top of tier 0
// (152068000), so the bonus is the top of the range of the tier that the
// worst of the three decides: memory, in the last case.
TEST(RateRecord, RatesCurrentMachinesByTheirNames) {
  struct Machine {
    const char* processor;
    const char* graphics;
    std::uint64_t memory;
    const char* level;
    const char* gain_extra;
  };
  const Machine machines[] = {
      {"Intel Core Ultra 9 285HX", "NVIDIA GeForce RTX 5060 Ti", 32 * kGiB, "1", "350"},
      {"AMD Ryzen AI Max+ 395", "NVIDIA GeForce RTX 5060 Ti", 16 * kGiB, "1", "350"},
      {"AMD Ryzen AI Max+ 395 w/ Radeon 8060S", "AMD Radeon(TM) 8060S Graphics", 3 * kGiB, "3", "250"},
  };
  for (const Machine& machine : machines) {
    SCOPED_TRACE(machine.processor);
    MachineInfoRecord info;
    info["CPU"] = machine.processor;
    info["GPU"] = machine.graphics;
    info["RAM Bytes"] = std::to_string(machine.memory);
    RateRecord(info);
    EXPECT_EQ(info["OutDevices"], "");
    EXPECT_EQ(info["Level"], machine.level);
    EXPECT_EQ(info["GainExtra"], machine.gain_extra);
  }
}

}  // namespace
