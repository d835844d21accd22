#include "platform/script/EngineText.h"

#include <gtest/gtest.h>

namespace vantorel {
namespace {

struct EncodingCase {
  const char* name;
  std::u16string wide;
  std::string engine;
};

void PrintTo(const EncodingCase& c, std::ostream* os) { *os << c.name; }

class EngineEncodingTest : public testing::TestWithParam<EncodingCase> {};

TEST_P(EngineEncodingTest, GoesBothWays) {
  EXPECT_EQ(WideToEngine(GetParam().wide), GetParam().engine);
  EXPECT_EQ(EngineToWide(GetParam().engine), GetParam().wide);
}

INSTANTIATE_TEST_SUITE_P(
    Units, EngineEncodingTest,
    testing::Values(EncodingCase{"ascii", u"Az", "Az"},
                    EncodingCase{"nul", std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
                    EncodingCase{"twoBytes", u"\u00e9", "\xC3\xA9"},
                    EncodingCase{"threeBytes", u"\u4eba", "\xE4\xBA\xBA"},
                    EncodingCase{"lineSeparator", u"\u2028", "\xE2\x80\xA8"},
                    // Outside the BMP: each surrogate on its own (CESU-8).
                    EncodingCase{"surrogatePair", u"\U0001F600", "\xED\xA0\xBD\xED\xB8\x80"},
                    EncodingCase{"loneSurrogate", u"\xD83D", "\xED\xA0\xBD"}));

struct DecodingCase {
  const char* name;
  std::string engine;
  std::u16string wide;
};

void PrintTo(const DecodingCase& c, std::ostream* os) { *os << c.name; }

class EngineDecodingTest : public testing::TestWithParam<DecodingCase> {};

TEST_P(EngineDecodingTest, NeverFails) { EXPECT_EQ(EngineToWide(GetParam().engine), GetParam().wide); }

INSTANTIATE_TEST_SUITE_P(
    Bytes, EngineDecodingTest,
    testing::Values(DecodingCase{"fourByteForm", "\xF0\x9F\x98\x80", u"\U0001F600"},
                    DecodingCase{"strayContinuation", "a\x80z", u"a\uFFFDz"},
                    DecodingCase{"badLead", "\xFF\xFE", u"\uFFFD\uFFFD"},
                    DecodingCase{"cutShort", "a\xE4\xBA", u"a\uFFFD"},
                    DecodingCase{"interrupted", "\xE4Z", u"\uFFFDZ"},
                    DecodingCase{"beyondUnicode", "\xF7\xBF\xBF\xBF", u"\uFFFD"}));

TEST(EngineTextTest, CodePage936RoundTrips) {
  const Text text = "a\xD6\xD0\xCE\xC4z";  // a中文z
  EXPECT_EQ(TextToEngine(text), "a\xE4\xB8\xAD\xE6\x96\x87z");
  EXPECT_EQ(EngineToText(TextToEngine(text)), text);
}

}  // namespace
}  // namespace vantorel
