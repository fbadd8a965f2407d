#include "framework/variable_param.h"

#include <gtest/gtest.h>

namespace {

using Velum::CVariableParam2;

TEST(CVariableParam2, ReadsOfAbsentKeysCreateNothing) {
  CVariableParam2 bag;
  EXPECT_EQ(bag.GetComponentId(), 282);
  EXPECT_EQ(bag.GetInt(7, 0), 0);
  EXPECT_EQ(bag.HasInt(7), 0);
  EXPECT_FALSE(bag.GetBool(1, 1));
  EXPECT_EQ(bag.GetStringPtr(1), nullptr);
  EXPECT_EQ(bag.GetStringLength(1), 0);
  int key = -1, value = -1;
  EXPECT_EQ(bag.FirstInt(&key, &value), 0);
}

TEST(CVariableParam2, KindsAreKeyedIndependentlyAndReadsMayRemove) {
  CVariableParam2 bag;
  EXPECT_EQ(bag.SetInt(1, -5), 1);
  EXPECT_EQ(bag.SetDword(1, 0xC1D506), 1);
  EXPECT_EQ(bag.SetFloat(1, 2.5f), 1);
  EXPECT_EQ(bag.SetBool(1, true), 1);
  EXPECT_EQ(bag.SetString(1, "text"), 1);
  EXPECT_EQ(bag.SetString(2, nullptr), 0);
  EXPECT_EQ(bag.HasString(2), 0);
  EXPECT_EQ(bag.GetInt(1, 0), -5);
  EXPECT_EQ(bag.GetDword(1, 1), 0xC1D506u);
  EXPECT_EQ(bag.HasDword(1), 0);
  EXPECT_EQ(bag.HasInt(1), 1);
  EXPECT_EQ(bag.GetFloat(1, 0), 2.5f);
  EXPECT_STREQ(bag.GetStringPtr(1), "text");
  bag.RemoveInt(1);
  EXPECT_EQ(bag.HasInt(1), 0);
  EXPECT_EQ(bag.HasBool(1), 1);
  EXPECT_EQ(bag.PutInt(3, 9), 1);  // the second setter entries store as the first
  EXPECT_EQ(bag.GetInt(3, 0), 9);
}

TEST(CVariableParam2, CopiesStringsOnlyWhenTheyFitWithTheirTerminator) {
  CVariableParam2 bag;
  bag.SetString(4, "abcd");
  EXPECT_EQ(bag.GetStringLength(4), 4);
  char buffer[8] = "xxxxxxx";
  EXPECT_EQ(bag.GetString(4, buffer, 4, 1), 0);  // capacity equal to the length
  EXPECT_STREQ(buffer, "xxxxxxx");
  EXPECT_EQ(bag.HasString(4), 1);  // not removed without a copy
  EXPECT_EQ(bag.GetString(4, buffer, 5, 1), 1);
  EXPECT_STREQ(buffer, "abcd");
  EXPECT_EQ(bag.HasString(4), 0);
}

TEST(CVariableParam2, FlagsAreOredOrAndedIn) {
  CVariableParam2 bag;
  bag.SetFlags(5, 0x0F, 1);
  bag.SetFlags(5, 0x3C, 0);
  EXPECT_EQ(bag.GetFlags(5, 0), 0x0C);
  bag.SetFlags(5, 0x01, 1);
  EXPECT_EQ(bag.GetFlags(5, 1), 0x0D);
  EXPECT_EQ(bag.HasFlags(5), 0);
}

// Records the order of the setter calls it receives.
class RecordingBag : public CVariableParam2 {
 public:
  std::string calls;
  int SetInt(int key, int value) override { return Record("i", key, CVariableParam2::SetInt(key, value)); }
  int SetBool(int key, bool value) override { return Record("b", key, CVariableParam2::SetBool(key, value)); }
  int SetFloat(int key, float value) override { return Record("f", key, CVariableParam2::SetFloat(key, value)); }
  int SetDword(int key, std::uint32_t value) override { return Record("d", key, CVariableParam2::SetDword(key, value)); }
  int SetString(int key, const char* value) override { return Record("s", key, CVariableParam2::SetString(key, value)); }

 private:
  int Record(const char* kind, int key, int result) {
    calls += kind + std::to_string(key) + " ";
    return result;
  }
};

TEST(CVariableParam2, CopyToStoresEveryKindInOrderAndMergesFlags) {
  CVariableParam2 source;
  source.SetString(1, "s");
  source.SetDword(2, 2);
  source.SetFloat(3, 3);
  source.SetBool(4, true);
  source.SetInt(6, 6);
  source.SetInt(5, 5);
  source.SetFlags(3, 0x02, 1);
  RecordingBag target;
  target.SetFlags(3, 0x01, 1);
  target.SetInt(9, 9);
  source.CopyTo(&target, 0);
  EXPECT_EQ(target.calls, "i9 i5 i6 b4 f3 d2 s1 ");
  EXPECT_EQ(target.GetFlags(3, 0), 0x03);
  EXPECT_EQ(target.GetInt(9, 0), 9);

  RecordingBag cleared;
  cleared.SetInt(9, 9);
  source.CopyTo(&cleared, 1);
  EXPECT_EQ(cleared.HasInt(9), 0);
  EXPECT_EQ(source.CopyIntTo(&cleared, 7), 0);
  EXPECT_EQ(source.CopyStringTo(&cleared, 1), 1);
  EXPECT_EQ(source.CopyFlagsTo(nullptr, 3), 0);
}

TEST(CVariableParam2, IterationUsesOneCursorForAllKinds) {
  CVariableParam2 bag;
  bag.SetInt(30, 3);
  bag.SetInt(-10, 1);
  bag.SetInt(20, 2);
  int key = 0, value = 0;
  ASSERT_EQ(bag.FirstInt(&key, &value), 1);
  EXPECT_EQ(key, -10);
  ASSERT_EQ(bag.NextInt(&key, &value), 1);
  EXPECT_EQ(key, 20);
  bag.SetDword(1, 11);
  bag.SetDword(2, 12);
  std::uint32_t dword = 0;
  ASSERT_EQ(bag.FirstDword(&key, &dword), 1);  // restarts the shared count
  ASSERT_EQ(bag.NextInt(&key, &value), 1);      // so the int iteration resumes at position 1
  EXPECT_EQ(key, 20);
  ASSERT_EQ(bag.NextInt(&key, &value), 1);
  EXPECT_EQ(key, 30);
  EXPECT_EQ(bag.NextInt(&key, &value), 0);
}

TEST(CVariableParam2, AStringThatDoesNotFitStopsTheIteration) {
  CVariableParam2 bag;
  bag.SetString(1, "ab");
  bag.SetString(2, "long text");
  char buffer[4];
  int key = 0;
  ASSERT_EQ(bag.FirstString(&key, buffer, sizeof buffer), 1);
  EXPECT_STREQ(buffer, "ab");
  EXPECT_EQ(bag.NextString(&key, buffer, sizeof buffer), 0);
  char large[16];
  ASSERT_EQ(bag.NextString(&key, large, sizeof large), 1);  // not advanced: the same entry again
  EXPECT_EQ(key, 2);
  EXPECT_STREQ(large, "long text");
}

TEST(CVariableParam2, ClearEmptiesEveryKindAndTheFlags) {
  CVariableParam2 bag;
  bag.SetInt(1, 1);
  bag.SetString(1, "x");
  bag.SetFlags(1, 1, 1);
  bag.Clear();
  EXPECT_EQ(bag.HasInt(1) + bag.HasString(1) + bag.HasFlags(1), 0);
  int key = 0, value = 0;
  EXPECT_EQ(bag.FirstInt(&key, &value), 0);
}

}  // namespace
