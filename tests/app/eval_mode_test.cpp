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
  EXPECT_EQ(MemoryBytesFromText("8", kBytesPerGibibyte).bytes, 8589934592);
  EXPECT_EQ(MemoryBytesFromText("2", kBytesPerGibibyte).bytes, 2147483648);
  EXPECT_EQ(MemoryBytesFromText("1.5", kBytesPerGibibyte).bytes, 1610612736);
  EXPECT_EQ(MemoryBytesFromText("8192.00", kBytesPerMebibyte).bytes, 8589934592);
  EXPECT_EQ(MemoryBytesFromText("4096.00", kBytesPerMebibyte).bytes, 4294967296);
  EXPECT_EQ(MemoryBytesFromText("1e1", kBytesPerGibibyte).bytes, 10737418240);
  // Too small for a double: 0, as the strict conversion reads it.
  const MemorySize tiny = MemoryBytesFromText("0." + std::string(400, '0') + "1", kBytesPerMebibyte);
  EXPECT_TRUE(tiny);
  EXPECT_EQ(tiny.bytes, 0);
  for (const char* bad : {"", "eight", "8 GB", "1.2.3", ".", "nan"}) {
    EXPECT_EQ(MemoryBytesFromText(bad, kBytesPerGibibyte).fault, MemorySize::Fault::kNotANumber) << bad;
  }
  for (const char* huge : {"-1", "inf", "1e300", "1e30", "1e400", "8589934592"}) {
    EXPECT_EQ(MemoryBytesFromText(huge, kBytesPerGibibyte).fault, MemorySize::Fault::kOutOfRange) << huge;
  }
  EXPECT_EQ(MemoryBytesFromText("8589934591", kBytesPerGibibyte).bytes, 9223372035781033984);  // the last whole GiB
}

}  // namespace
