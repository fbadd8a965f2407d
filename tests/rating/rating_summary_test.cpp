#include "rating/rating_summary.h"

#include <gtest/gtest.h>

#include "support/rating_fixture.h"

namespace {

TEST(RatingSummary, ShowsScoresLevelAndBonusOnOneLine) {
  MachineInfoRecord info = DescribeMachine(14000, 10862, 8 * kGiB);
  EXPECT_EQ(RatingSummary(info), "CPU: 10862, GPU: 14000, Level: 1, GainExtra: 350\n");
}

TEST(RatingSummary, MarksDevicesMissingFromTheirTables) {
  MachineInfoRecord info = DescribeMachine(0, 5000, 8 * kGiB);
  const std::size_t gpu_entries = GpuTable().Size();
  EXPECT_EQ(RatingSummary(info), "CPU: 5000, GPU: [NOT FOUND], Level: -1, GainExtra: 0\n");
  EXPECT_EQ(GpuTable().Size(), gpu_entries);

  info = DescribeMachine(14000, 0, 8 * kGiB);
  EXPECT_EQ(RatingSummary(info), "CPU: [NOT FOUND], GPU: 14000, Level: -1, GainExtra: 0\n");
}

}  // namespace
