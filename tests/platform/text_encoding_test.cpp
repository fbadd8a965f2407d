#include "platform/text_encoding.h"

#include <gtest/gtest.h>

namespace {

// "显卡/内存" in code page 936 and in UTF-8.
constexpr char kCp936[] = "CPU/\xCF\xD4\xBF\xA8/\xC4\xDA\xB4\xE6";
constexpr char kUtf8[] = "CPU/\xE6\x98\xBE\xE5\x8D\xA1/\xE5\x86\x85\xE5\xAD\x98";

TEST(TextEncoding, ConvertsBetweenCodePage936AndUtf8BothWays) {
  EXPECT_EQ(Utf8FromCp936(kCp936), kUtf8);
  EXPECT_EQ(Cp936FromUtf8(kUtf8), kCp936);
  EXPECT_EQ(Utf8FromCp936(""), "");
  EXPECT_EQ(Cp936FromUtf8(""), "");
}

TEST(TextEncoding, KeepsBytesThatDoNotConvert) {
  EXPECT_EQ(Utf8FromCp936("broken \xCF"), "broken \xCF");
  EXPECT_EQ(Utf8FromCp936("\xFF\xCF\xD4!"), "\xFF\xE6\x98\xBE!");
  // U+1F600 has no code page 936 form: its four bytes stay, the rest converts.
  EXPECT_EQ(Cp936FromUtf8("\xF0\x9F\x98\x80\xE6\x98\xBE"), "\xF0\x9F\x98\x80\xCF\xD4");
  EXPECT_EQ(Cp936FromUtf8("a\xE6\x98"), "a\xE6\x98");  // cut short
}

TEST(TextEncoding, ConvertsToAndFromUtf16) {
  EXPECT_EQ(Utf16FromCp936(kCp936), u"CPU/\u663E\u5361/\u5185\u5B58");
  EXPECT_EQ(Cp936FromUtf16(u"CPU/\u663E\u5361/\u5185\u5B58"), kCp936);
  EXPECT_EQ(Cp936FromUtf16(u"\u0E01x"), "?x");  // no such character: the default one
  EXPECT_EQ(Cp936FromUtf16Unit(0x663E), "\xCF\xD4");
}

}  // namespace
