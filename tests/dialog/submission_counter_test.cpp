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
  MachineInfoRecord info_;
};

TEST_F(SubmissionCounterTest, AllowsTwoSubmissionsOnAFreshMachine) {
  SubmissionCounter counter(stores_);
  EXPECT_EQ(counter.Count(false, info_), 0u);
  EXPECT_EQ(info_["Times"], "0");

  EXPECT_EQ(counter.Count(true, info_), 1u);
  EXPECT_EQ(FileByte(), 1);
  EXPECT_EQ(info_["Times"], "1");

  EXPECT_EQ(counter.Count(false, info_), 1u);
  EXPECT_EQ(counter.Count(true, info_), 2u);  // the second submission creates the marker
  EXPECT_EQ(FileByte(), 2);
  EXPECT_EQ(counter.SharedCount(false, info_), 2u);

  EXPECT_EQ(counter.Count(false, info_), 5u);  // file 2, tally 2 + 3 for the marker
}

TEST_F(SubmissionCounterTest, TheMarkerOutlivesADeletedCounterFile) {
  SubmissionCounter first_process(stores_);
  first_process.Count(true, info_);
  first_process.Count(true, info_);
  std::remove(FilePath().c_str());

  SubmissionCounter later_process(stores_);  // starts with a tally of 0
  EXPECT_EQ(later_process.Count(false, info_), 3u);
}

TEST_F(SubmissionCounterTest, TheCounterFileHoldsOneByte) {
  WriteFileByte(0xFF);
  SubmissionCounter counter(stores_);
  EXPECT_EQ(counter.Count(false, info_), 255u);
  EXPECT_EQ(counter.Count(true, info_), 256u);
  EXPECT_EQ(FileByte(), 0);
}

TEST_F(SubmissionCounterTest, TheSharedCountFeedsTimes) {
  SubmissionCounter counter(stores_);
  EXPECT_EQ(counter.SharedCount(false, info_), 0u);
  EXPECT_EQ(counter.SharedCount(true, info_), 1u);
  SubmissionCounter another_process(stores_);
  EXPECT_EQ(another_process.SharedCount(false, info_), 1u);
  EXPECT_EQ(info_["Times"], "1");
}

TEST_F(SubmissionCounterTest, ASegmentThatCannotBeOpenedCountsAsZero) {
  stores_.segment_name = "no/such/segment";
  SubmissionCounter counter(stores_);
  info_["Times"] = "stale";
  EXPECT_EQ(counter.SharedCount(true, info_), 0u);
  EXPECT_EQ(info_["Times"], "0");
  EXPECT_EQ(counter.Count(true, info_), 1u);  // the limit does not depend on the segment
}

}  // namespace
