#include <gtest/gtest.h>

#include "dialog/verification_code.h"

namespace {

TEST(VerificationCode, IsShownWithItsHalvesSwapped) {
  EXPECT_EQ(ShownVerificationCode(1234), "3412");
  EXPECT_EQ(ShownVerificationCode(5), "0500");
  EXPECT_EQ(ShownVerificationCode(1200), "0012");
  EXPECT_EQ(ShownVerificationCode(9999), "9999");
}

TEST(VerificationCode, AcceptsWhatIsShownAsAtoiReadsIt) {
  EXPECT_TRUE(VerificationCodeMatches(1234, "3412"));
  EXPECT_FALSE(VerificationCodeMatches(1234, "1234"));
  EXPECT_TRUE(VerificationCodeMatches(5, "500"));  // the shown 0500 without its leading zero
  EXPECT_TRUE(VerificationCodeMatches(5, "0500"));
  EXPECT_TRUE(VerificationCodeMatches(5, " 0500x"));  // blanks before, anything after the digits
  EXPECT_FALSE(VerificationCodeMatches(5, "05000"));
  EXPECT_FALSE(VerificationCodeMatches(1234, "34129"));
  EXPECT_TRUE(VerificationCodeMatches(0, ""));  // no digits read as 0, which is the code 0000
}

}  // namespace
