#include "dialog/submission_counter.h"

#include <cstdio>
#include <fstream>
#include <random>

#include <boost/interprocess/shared_memory_object.hpp>
#include <gtest/gtest.h>

#include "app/machine_info.h"
#include "platform/temp_directory.h"

namespace {

// Store names of this test run's own, so that no player's count is touched.
class SubmissionCounterTest : public testing::Test {
 protected:
  SubmissionCounterTest() {
    const std::string unique = std::to_string(std::random_device()()) + "-" +
                               testing::UnitTest::GetInstance()->current_test_info()->name();
    stores_.file_name = "machinecheck-test-" + unique + ".tmp";
    stores_.marker_name = "machinecheck-test-marker-" + unique;
    stores_.segment_name = "machinecheck-test-segment-" + unique;
  }
  ~SubmissionCounterTest() override {
    std::remove(FilePath().c_str());
    boost::interprocess::shared_memory_object::remove(stores_.segment_name.c_str());
  }

  std::string FilePath() const { return TempDirectory() + stores_.file_name; }
  int FileByte() const {
    std::ifstream file(FilePath(), std::ios::binary);
    const int byte = file.get();
    return byte;
  }
  void WriteFileByte(unsigned char byte) const { std::ofstream(FilePath(), std::ios::binary).put(static_cast<char>(byte)); }

  SubmissionCounterStores stores_;
};

TEST_F(SubmissionCounterTest, AllowsTwoSubmissionsOnAFreshMachine) {
  SubmissionCounter counter(stores_);
  EXPECT_EQ(counter.Count(false), 0u);
  EXPECT_EQ(MachineInfo()["Times"], "0");

  EXPECT_EQ(counter.Count(true), 1u);
  EXPECT_EQ(FileByte(), 1);
  EXPECT_EQ(MachineInfo()["Times"], "1");

  EXPECT_EQ(counter.Count(false), 1u);
  EXPECT_EQ(counter.Count(true), 2u);  // the second submission creates the marker
  EXPECT_EQ(FileByte(), 2);
  EXPECT_EQ(counter.SharedCount(false), 2u);

  EXPECT_EQ(counter.Count(false), 5u);  // file 2, tally 2 + 3 for the marker
}

TEST_F(SubmissionCounterTest, TheMarkerOutlivesADeletedCounterFile) {
  SubmissionCounter first_process(stores_);
  first_process.Count(true);
  first_process.Count(true);
  std::remove(FilePath().c_str());

  SubmissionCounter later_process(stores_);  // starts with a tally of 0
  EXPECT_EQ(later_process.Count(false), 3u);
}

TEST_F(SubmissionCounterTest, TheCounterFileHoldsOneByte) {
  WriteFileByte(0xFF);
  SubmissionCounter counter(stores_);
  EXPECT_EQ(counter.Count(false), 255u);
  EXPECT_EQ(counter.Count(true), 256u);
  EXPECT_EQ(FileByte(), 0);
}

TEST_F(SubmissionCounterTest, TheSharedCountFeedsTimes) {
  SubmissionCounter counter(stores_);
  EXPECT_EQ(counter.SharedCount(false), 0u);
  EXPECT_EQ(counter.SharedCount(true), 1u);
  SubmissionCounter another_process(stores_);
  EXPECT_EQ(another_process.SharedCount(false), 1u);
  EXPECT_EQ(MachineInfo()["Times"], "1");
}

TEST_F(SubmissionCounterTest, ASegmentThatCannotBeOpenedCountsAsZero) {
  stores_.segment_name = "no/such/segment";
  SubmissionCounter counter(stores_);
  MachineInfo()["Times"] = "stale";
  EXPECT_EQ(counter.SharedCount(true), 0u);
  EXPECT_EQ(MachineInfo()["Times"], "0");
  EXPECT_EQ(counter.Count(true), 1u);  // the limit does not depend on the segment
}

}  // namespace
