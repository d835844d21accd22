#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/TextOps.h"

namespace vantorel {
namespace {

TEST(NumberToTextTest, WritesIntegersInDecimal) {
  EXPECT_EQ(NumberToText(0), "0");
  EXPECT_EQ(NumberToText(-42), "-42");
  EXPECT_EQ(NumberToText(222202), "222202");
  EXPECT_EQ(NumberToText(std::int64_t{9007199254740993}), "9007199254740993");
}

TEST(NumberToTextTest, WritesRealsWithThirteenDigitsAndThreeDigitExponents) {
  struct Case {
    double value;
    const char* expected;
  } cases[] = {
      {87.5, "87.5"},
      {0.0, "0"},
      {100.0, "100"},
      {1.0 / 3.0, "0.3333333333333"},
      {57.5061, "57.5061"},
      {1e20, "1e+020"},
      {1e-5, "1e-005"},
      {-2.5e-7, "-2.5e-007"},
      {1.5e300, "1.5e+300"},
      {1e100, "1e+100"},
      {1234567890123.0, "1234567890123"},
      {12345678901234.0, "1.234567890123e+013"},
      {std::numeric_limits<double>::infinity(), "inf"},
  };
  for (const Case& c : cases) EXPECT_EQ(NumberToText(c.value), c.expected) << c.expected;
}

}  // namespace
}  // namespace vantorel
