#include "platform/text_encoding.h"

#include "platform/character_width.h"
#include "platform/unicode_text.h"

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

TEST(UnicodeText, ConvertsUtf32ToEveryEncodingOfTheProgramAndBack) {
  const std::u32string text = U"CPU/显卡/内存 😀";
  EXPECT_EQ(Utf32FromUtf8(Utf8FromUtf32(text)), text);
  EXPECT_EQ(Utf32FromUtf16(Utf16FromUtf32(text)), text);
  EXPECT_EQ(Utf16FromUtf32(U"😀"), u"\U0001F600");  // a surrogate pair
  EXPECT_EQ(Utf32FromCp936(kCp936), U"CPU/显卡/内存");
  EXPECT_EQ(Cp936FromUtf32(U"显卡😀"), "\xCF\xD4\xBF\xA8?");  // one "?" for a character 936 lacks
  // Bytes that are no UTF-8 character each show as one replacement.
  EXPECT_EQ(Utf32FromUtf8("a\xFF\xE6\x98" "b\xC0\xAF"), U"a\uFFFD\uFFFD\uFFFDb\uFFFD\uFFFD");
  EXPECT_EQ(Utf8FromUtf32(U"a\xD800"), "a\xEF\xBF\xBD");
}

TEST(CharacterWidth, CountsWideCharactersTwiceAndMarksNone) {
  EXPECT_EQ(TextCells(U"Orbi号码："), 10);
  EXPECT_EQ(TextCells(U"e\u0301"), 1);  // a combining accent takes no cell
  EXPECT_EQ(CharacterCells(U'＝'), 2);
  EXPECT_EQ(CharacterCells(U'😀'), 2);
  EXPECT_EQ(CharacterCells(U'a'), 1);
}

}  // namespace
