#include "app/eval_mode.h"

#include <gtest/gtest.h>

#include "app/memory_size.h"

namespace {

void ExpectParts(const std::string& value, const char* processor, const char* graphics, const char* memory) {
  const EvalValue parts = SplitEvalValue(value);
  EXPECT_EQ(parts.processor, processor) << value;
  EXPECT_EQ(parts.graphics, graphics) << value;
  EXPECT_EQ(parts.memory_gib, memory) << value;
}

TEST(SplitEvalValue, SplitsAtTheFirstAndLastBar) {
  ExpectParts("P|G|8", "P", "G", "8");
  ExpectParts("A|B|C|4", "A", "B|C", "4");
  ExpectParts("A|4", "A", "4", "4");
  ExpectParts("whole", "whole", "whole", "whole");
  ExpectParts("||", "", "", "");
}

TEST(MemoryBytesFromText, ConvertsWholeNumbersOfUnitsOnly) {
  EXPECT_EQ(MemoryBytesFromText("8", kBytesPerGibibyte), 8589934592);
  EXPECT_EQ(MemoryBytesFromText("2", kBytesPerGibibyte), 2147483648);
  EXPECT_EQ(MemoryBytesFromText("1.5", kBytesPerGibibyte), 1610612736);
  EXPECT_EQ(MemoryBytesFromText("8192.00", kBytesPerMebibyte), 8589934592);
  EXPECT_EQ(MemoryBytesFromText("4096.00", kBytesPerMebibyte), 4294967296);
  EXPECT_EQ(MemoryBytesFromText("1e1", kBytesPerGibibyte), 10737418240);
  for (const char* bad : {"", "eight", "8 GB", "1.2.3", ".", "-1", "nan", "inf", "1e300"}) {
    EXPECT_FALSE(MemoryBytesFromText(bad, kBytesPerGibibyte)) << bad;
  }
}

}  // namespace
