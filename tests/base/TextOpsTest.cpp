#include "base/TextOps.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vantorel {
namespace {

// "中" in code page 936 is D6 D0; "文" is CE C4. "\xD6\xD0" followed by
// "\xD0\xCE" shows the double-byte rule: the bytes D0 CE occur at position 2
// but start on a second byte there.
const Text kZhong = "\xD6\xD0";
const Text kWen = "\xCE\xC4";

struct FindCase {
  const char* name;
  Text text;
  Text sought;
  int start;
  Case mode;
  int expected;
};

void PrintTo(const FindCase& c, std::ostream* os) { *os << c.name; }

class FindTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindTest, GivesThePosition) {
  const FindCase& c = GetParam();
  EXPECT_EQ(Find(c.text, c.sought, c.start, c.mode), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindTest,
    testing::Values(FindCase{"first", "abcabc", "bc", 1, Case::Sensitive, 2},
                    FindCase{"fromStart", "abcabc", "bc", 3, Case::Sensitive, 5},
                    FindCase{"startOnMatch", "abcabc", "bc", 5, Case::Sensitive, 5},
                    FindCase{"startBelowOne", "abcabc", "a", -7, Case::Sensitive, 1},
                    FindCase{"startAtLastByte", "abc", "c", 3, Case::Sensitive, 3},
                    FindCase{"startBeyondEnd", "abc", "c", 4, Case::Sensitive, -1},
                    FindCase{"missing", "abc", "x", 1, Case::Sensitive, -1},
                    FindCase{"longerThanText", "ab", "abc", 1, Case::Sensitive, -1},
                    FindCase{"caseSensitive", "ABC", "b", 1, Case::Sensitive, -1},
                    FindCase{"ignoreCase", "ABC", "b", 1, Case::Ignore, 2},
                    FindCase{"ignoreCaseAsciiOnly", "\xC1\xA1", "\xE1\xA1", 1, Case::Ignore, -1},
                    FindCase{"emptySought", "abc", "", 2, Case::Sensitive, 1},
                    FindCase{"emptySoughtEmptyText", "", "", 1, Case::Sensitive, -1},
                    FindCase{"emptySoughtPastEnd", "abc", "", 9, Case::Sensitive, -1},
                    FindCase{"emptyText", "", "a", 1, Case::Sensitive, -1},
                    FindCase{"noMatchOnSecondByte", "\xD6\xD0\xCE\xC4", "\xD0\xCE", 1, Case::Sensitive, -1},
                    FindCase{"matchAfterDoubleByte", kZhong + "a" + kWen, kWen, 1, Case::Sensitive, 4},
                    FindCase{"asciiAfterLeadByte", "\xB0" "a" "a", "a", 1, Case::Sensitive, 3},
                    FindCase{"startInsideCharacter", kZhong + kZhong, kZhong, 2, Case::Sensitive, 3},
                    FindCase{"loneLeadAtEnd", "ab\xB0", "\xB0", 1, Case::Sensitive, 3},
                    FindCase{"embeddedNul", Text("a\0b", 3), "b", 1, Case::Sensitive, 3}),
    [](const testing::TestParamInfo<FindCase>& info) { return info.param.name; });

TEST(FindLastTest, GivesTheLastOccurrence) {
  EXPECT_EQ(FindLast("a/b/c", "/"), 4);
  EXPECT_EQ(FindLast("a/b/c", "x"), -1);
  EXPECT_EQ(FindLast("", "x"), -1);
  EXPECT_EQ(FindLast("aBa", "b", Case::Ignore), 2);
  EXPECT_EQ(FindLast("\xD6\xD0\xCE\xC4", "\xD0\xCE"), -1);
  EXPECT_EQ(FindLast(kWen + kWen + "x", kWen), 3);
}

TEST(LeftRightMidTest, CountPlainBytes) {
  EXPECT_EQ(Left("abc", 2), "ab");
  EXPECT_EQ(Left("abc", 9), "abc");
  EXPECT_EQ(Left("abc", 0), "");
  EXPECT_EQ(Left("abc", -1), "");
  EXPECT_EQ(Left(kZhong, 1), "\xD6");  // may split a character
  EXPECT_EQ(Right("abc", 2), "bc");
  EXPECT_EQ(Right("abc", 9), "abc");
  EXPECT_EQ(Right("abc", 0), "");
  EXPECT_EQ(Right("abc", -3), "");
  EXPECT_EQ(Mid("abcdef", 2, 3), "bcd");
  EXPECT_EQ(Mid("abcdef", 5, 10), "ef");
  EXPECT_EQ(Mid("abcdef", 0, 2), "");
  EXPECT_EQ(Mid("abcdef", 7, 1), "");
  EXPECT_EQ(Mid("abcdef", 6, 1), "f");
  EXPECT_EQ(Mid("abcdef", 2, 0), "");
  EXPECT_EQ(Mid("abcdef", 2, -1), "");
}

struct ReplaceCase {
  Text text, oldText, newText, expected;
};

TEST(ReplaceTest, ReplacesEveryOccurrenceOnce) {
  const ReplaceCase cases[] = {
      {"a-b-c", "-", "+", "a+b+c"},
      {"aaa", "a", "aa", "aaaaaa"},             // inserted text is not scanned again
      {"abab", "ab", "b", "bb"},
      {"xyz", "q", "r", "xyz"},
      {"xyz", "", "r", "xyz"},
      {"", "a", "b", ""},
      {"a-b", "-", "", "ab"},
      {"\xD6\xD0\xCE\xC4", "\xD0\xCE", "X", "\xD6\xD0\xCE\xC4"},  // never from a second byte
      {"A-a", "a", "b", "A-b"},                   // case-sensitive
      {"\xCD\xBC\xC6\xAC" "1", "\xCD\xBC\xC6\xAC" "1", "QUJD", "QUJD"},
  };
  for (const ReplaceCase& c : cases) EXPECT_EQ(Replace(c.text, c.oldText, c.newText), c.expected) << c.text;
}

TEST(SplitTest, KeepsInnerEmptiesAndDropsTheLastEmpty) {
  using V = std::vector<Text>;
  EXPECT_EQ(Split("a;b;c", ";"), (V{"a", "b", "c"}));
  EXPECT_EQ(Split("a;;b", ";"), (V{"a", "", "b"}));
  EXPECT_EQ(Split("a;b;", ";"), (V{"a", "b"}));
  EXPECT_EQ(Split(";a", ";"), (V{"", "a"}));
  EXPECT_EQ(Split(";", ";"), (V{""}));
  EXPECT_EQ(Split("", ";"), V{});
  EXPECT_EQ(Split("abc", ";"), (V{"abc"}));
  EXPECT_EQ(Split("a, b", ", "), (V{"a", "b"}));
  EXPECT_EQ(Split("\xB0;\xB0;", ";"), (V{"\xB0;\xB0;"}));  // ";" is the second byte of a character here
}

TEST(TrimTest, RemovesOnlySpacesAndFullWidthSpaces) {
  const Text full = "\xA1\xA1";
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim(full + " a" + full), "a");
  EXPECT_EQ(Trim("\ta\r\n"), "\ta\r\n");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(TrimLeft("  a  "), "a  ");
  EXPECT_EQ(TrimRight("  a  "), "  a");
  EXPECT_EQ(TrimRight("a\xA1"), "a\xA1");                // a lone 0xA1 is not a blank
  EXPECT_EQ(TrimRight("\xB0\xA1\xA1"), "\xB0\xA1\xA1");  // B0 A1 is one character, then a lone A1
  EXPECT_EQ(TrimRight(kZhong + full + full), kZhong);
}

TEST(CaseTest, FoldsAsciiOnly) {
  EXPECT_EQ(AsciiLower("HTTPS://X\xC1"), "https://x\xC1");
  EXPECT_EQ(AsciiUpper("post\xE1"), "POST\xE1");
  EXPECT_TRUE(EqualsIgnoreCase("Set-Cookie", "set-COOKIE"));
  EXPECT_FALSE(EqualsIgnoreCase("abc", "abcd"));
}

TEST(TextToIntegerTest, ReadsLeadingDecimalDigits) {
  struct Case {
    Text text;
    int expected;
  } cases[] = {
      {"87.53", 87},
      {"  -12abc", -12},
      {"+7", 7},
      {"abc", 0},
      {"", 0},
      {"\xA3\xB1\xA3\xB2", 12},           // full-width 12
      {"\xA3\xAD\xA3\xB5", -5},           // full-width minus 5
      {"\xA3\xAB" "3", 3},               // full-width plus, ASCII digit
      {"\t\n 42", 42},
      {"- 5", 0},
      {"99999999999999999999", 2147483647},
      {"-99999999999999999999", -2147483647 - 1},
      {"\xA1\xA1" "5", 0},                // the full-width space is not white space here
  };
  for (const Case& c : cases) EXPECT_EQ(TextToInteger(c.text), c.expected) << c.text;
}

TEST(TruncateToIntegerTest, TruncatesTowardZero) {
  EXPECT_EQ(TruncateToInteger(87.9), 87);
  EXPECT_EQ(TruncateToInteger(-87.9), -87);
  EXPECT_EQ(TruncateToInteger(1e20), 2147483647);
  EXPECT_EQ(TruncateToInteger(-1e20), -2147483647 - 1);
  EXPECT_EQ(TruncateToInteger(std::nan("")), 0);
}

}  // namespace
}  // namespace vantorel
