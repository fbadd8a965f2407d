#include "app/machine_info.h"

#include <gtest/gtest.h>

namespace {

TEST(MachineInfoRecord, StartsEmptyAndGrowsOnlyThroughFindOrInsert) {
  MachineInfoRecord record;
  EXPECT_EQ(record.Size(), 0u);
  EXPECT_FALSE(record.Has("Mac"));
  EXPECT_EQ(record.Size(), 0u);
  EXPECT_EQ(record["Mac"], "");
  EXPECT_EQ(record.Size(), 1u);
  EXPECT_TRUE(record.Has("Mac"));
}

TEST(MachineInfoRecord, KeysDifferByCase) {
  MachineInfoRecord record;
  record["CPU"] = "a";
  record["cpu"] = "b";
  EXPECT_EQ(record.Size(), 2u);
  EXPECT_EQ(record["CPU"], "a");
}

TEST(MachineInfoRecord, OneRecordPerProcess) { EXPECT_EQ(&MachineInfo(), &MachineInfo()); }

}  // namespace
