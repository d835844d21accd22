#include "platform/codepage/CodePage.h"

#include <gtest/gtest.h>

namespace vantorel {
namespace {

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::u16string expected;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class Cp936DecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(Cp936DecodeTest, Decodes) {
  EXPECT_EQ(MultiByteToWide(kCodePage936, GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Cp936DecodeTest,
    testing::Values(DecodeCase{"ascii", "Az09", u"Az09"},
                    DecodeCase{"chinese", "\xD6\xD0\xCE\xC4", u"\u4E2D\u6587"},
                    DecodeCase{"euro", "\x80", u"\u20AC"},
                    DecodeCase{"fullWidthSpace", "\xA1\xA1", u"\u3000"},
                    DecodeCase{"fullWidthDigit", "\xA3\xB1", u"\uFF11"},
                    DecodeCase{"userDefinedFirst", "\xAA\xA1", u"\uE000"},
                    DecodeCase{"userDefinedSecondArea", "\xFE\xFE", u"\uE4C5"},
                    DecodeCase{"userDefinedThirdArea", "\xA1\x40", u"\uE4C6"},
                    DecodeCase{"embeddedNul", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
                    DecodeCase{"byteFF", "\xFF" "a", u"\uFFFD" "a"},
                    DecodeCase{"loneLeadAtEnd", "a\xB0", u"a\uFFFD"},
                    DecodeCase{"leadBeforeAscii", "\xB0" "0", u"\uFFFD" "0"},
                    DecodeCase{"leadBeforeFF", "\xB0\xFF", u"\uFFFD\uFFFD"},
                    DecodeCase{"runOfFF", "\xFF\xFF\xFF", u"\uFFFD\uFFFD\uFFFD"}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

TEST(Cp936EncodeTest, EncodesAndFallsBackToQuestionMark) {
  EXPECT_EQ(WideToMultiByte(kCodePage936, u"\u4E2D\u6587"), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(WideToMultiByte(kCodePage936, u"\u20AC"), "\x80");
  EXPECT_EQ(WideToMultiByte(kCodePage936, u"\u0E01"), "?");             // Thai: not in the code page
  EXPECT_EQ(WideToMultiByte(kCodePage936, u"\U0001F600x"), "?x");       // one default per code point
  EXPECT_EQ(WideToMultiByte(kCodePage936, std::u16string(1, 0xD800)), "?");  // lone surrogate
  EXPECT_EQ(WideToMultiByte(kCodePage936, std::u16string(u"a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp936EncodeTest, EveryCharacterOfTheCodePageRoundTrips) {
  int characters = 0;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead)
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      const std::u16string wide = MultiByteToWide(kCodePage936, pair);
      if (wide.size() != 1 || wide[0] == 0xFFFD) continue;
      ++characters;
      EXPECT_EQ(WideToMultiByte(kCodePage936, wide), pair) << std::hex << lead << trail;
    }
  // GBK's 21,886 characters and the 1,894 user-defined ones, give or take the
  // few pairs that share a character.
  EXPECT_GT(characters, 23000);
}

TEST(Utf8DecodeTest, ReplacesEachMaximalInvalidPart) {
  struct Case {
    std::string bytes;
    std::u16string expected;
  } cases[] = {
      {"\xE4\xB8\xAD", u"\u4E2D"},
      {"\xF0\x9F\x98\x80", u"\U0001F600"},
      {"\xC0\x80", u"\uFFFD\uFFFD"},                // overlong
      {"\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"},      // overlong
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},      // encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
      {"\xE4\xB8", u"\uFFFD"},                      // cut short at the end
      {"\xE4\xB8" "a", u"\uFFFD" "a"},
      {"\x80" "a", u"\uFFFD" "a"},
      {"\xFF", u"\uFFFD"},
  };
  for (const Case& c : cases) EXPECT_EQ(MultiByteToWide(kCodePageUtf8, c.bytes), c.expected);
}

TEST(Utf8EncodeTest, EncodesPairsAndReplacesLoneSurrogates) {
  EXPECT_EQ(WideToMultiByte(kCodePageUtf8, u"\u4E2Da\U0001F600"), "\xE4\xB8\xAD" "a\xF0\x9F\x98\x80");
  EXPECT_EQ(WideToMultiByte(kCodePageUtf8, std::u16string(1, 0xDC00)), "\xEF\xBF\xBD");
}

TEST(CodePageTest, UnknownCodePageGivesNothing) {
  EXPECT_EQ(MultiByteToWide(1252, "abc"), u"");
  EXPECT_EQ(WideToMultiByte(1252, u"abc"), "");
}

TEST(ProgramTextTest, SourceLiteralsBecomeCp936AndBack) {
  EXPECT_EQ(FromUtf8("信息："), "\xD0\xC5\xCF\xA2\xA3\xBA");
  EXPECT_EQ(ToUtf8("\xD0\xC5\xCF\xA2\xA3\xBA"), "信息：");
}

}  // namespace
}  // namespace vantorel
