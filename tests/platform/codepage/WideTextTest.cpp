#include "platform/codepage/WideText.h"

#include <gtest/gtest.h>

namespace vantorel {
namespace {

TEST(TextToWideTest, EndsWithNulAndCountsUnitsWithoutIt) {
  EXPECT_TRUE(TextToWide("").units.empty());
  EXPECT_EQ(TextToWide("").length, 0);

  const WideText ascii = TextToWide("ab");
  EXPECT_EQ(ascii.units, std::u16string(u"ab\0", 3));
  EXPECT_EQ(ascii.length, 2);
  EXPECT_EQ(ascii.AsBytes(), (Bytes{'a', 0, 'b', 0, 0, 0}));

  const WideText chinese = TextToWide("\xD6\xD0\xCE\xC4");
  EXPECT_EQ(chinese.length, 2);
  EXPECT_EQ(std::u16string(chinese.c_str()), u"\u4E2D\u6587");

  // A lone lead byte at the end must not swallow the terminator.
  const WideText lone = TextToWide("a\xB0");
  EXPECT_EQ(lone.units, std::u16string(u"a\uFFFD\0", 3));
  EXPECT_EQ(lone.length, 2);
}

TEST(WideToTextTest, StopsAtTheFirstNul) {
  EXPECT_EQ(WideToText(std::u16string_view()), "");
  EXPECT_EQ(WideToText(Bytes{'a'}), "");  // fewer than two bytes
  EXPECT_EQ(WideToText(Bytes{'a', 0, 'b'}), "a");  // odd byte dropped
  EXPECT_EQ(WideToText(std::u16string(u"ab\0cd", 5)), "ab");
  EXPECT_EQ(WideToText(u"\u4E2D\u3000"), "\xD6\xD0\xA1\xA1");
  EXPECT_EQ(WideToText(u"\u0E01"), "?");
  EXPECT_EQ(WideToText(TextToWide("\xD6\xD0x").units), "\xD6\xD0x");
}

TEST(Utf8ToTextTest, DecodesUtf8IntoCp936) {
  EXPECT_EQ(Utf8ToText({}), "");
  EXPECT_EQ(Utf8ToText(ToBytes("{\"a\":\"\xE4\xB8\xAD\"}")), "{\"a\":\"\xD6\xD0\"}");
  EXPECT_EQ(Utf8ToText(ToBytes("x\xFFy")), "x?y");
  EXPECT_EQ(Utf8ToText(ToBytes(std::string("a\0b", 3))), "a");
  EXPECT_EQ(Utf8ToText(ToBytes("\xF0\x9F\x98\x80")), "?");
}

}  // namespace
}  // namespace vantorel
