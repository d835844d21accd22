#include "json/TextMarkers.h"

#include <gtest/gtest.h>

#include "platform/codepage/CodePage.h"

namespace vantorel {
namespace {

TEST(TextBeforeTest, CutsAtTheFirstMarker) {
  const struct {
    Text text;
    Text marker;
    MarkerEdge edge;
    WhenMissing whenMissing;
    Case mode;
    Text result;
  } cases[] = {
      {"list[1][2]", "[", MarkerEdge::Exclude, WhenMissing::Empty, Case::Sensitive, "list"},
      {"list[1]", "[", MarkerEdge::Include, WhenMissing::Empty, Case::Sensitive, "list["},
      {"[1]", "[", MarkerEdge::Exclude, WhenMissing::Empty, Case::Sensitive, ""},  // at the start
      {"[1]", "[", MarkerEdge::Exclude, WhenMissing::Whole, Case::Sensitive, "[1]"},
      {"list", "[", MarkerEdge::Exclude, WhenMissing::Empty, Case::Sensitive, ""},
      {"list", "[", MarkerEdge::Exclude, WhenMissing::Whole, Case::Sensitive, "list"},
      {"list", "", MarkerEdge::Exclude, WhenMissing::Empty, Case::Sensitive, "list"},
      {"aXbxc", "x", MarkerEdge::Exclude, WhenMissing::Empty, Case::Sensitive, "aXb"},
      {"aXbxc", "x", MarkerEdge::Exclude, WhenMissing::Empty, Case::Ignore, "a"},
      // 中 is D6 D0 and 文 CE C4: the bytes D0 CE inside are no character.
      {"\xD6\xD0\xCE\xC4\xD0\xCE", "\xD0\xCE", MarkerEdge::Exclude, WhenMissing::Empty,
       Case::Sensitive, "\xD6\xD0\xCE\xC4"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextBefore(c.text, c.marker, c.edge, c.whenMissing, c.mode), c.result) << c.text;
  }
}

TEST(TextBetweenTest, TakesTheTextBetweenTheMarkers) {
  const Text quote = FromUtf8("#引号");
  const struct {
    Text text;
    Text left;
    Text right;
    int start;
    Case mode;
    Text result;
  } cases[] = {
      {"list[12]", "[", "]", 0, Case::Sensitive, "12"},
      {"a[1]b[2]", "[", "]", 5, Case::Sensitive, "2"},
      {"a[1]b[2]", "[", "]", -3, Case::Sensitive, "1"},
      {"a[]", "[", "]", 0, Case::Sensitive, ""},
      {"a[1", "[", "]", 0, Case::Sensitive, ""},
      {"a1]", "[", "]", 0, Case::Sensitive, ""},
      {"<B>bold</b>", "<b>", "</b>", 0, Case::Ignore, "bold"},
      {"<B>bold</b>", "<b>", "</b>", 0, Case::Sensitive, ""},
      {R"({"token":"abc","x":1})", quote + "token" + quote + ":" + quote, quote, 0, Case::Sensitive, "abc"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextBetween(c.text, c.left, c.right, c.start, c.mode), c.result) << c.text;
  }
}

}  // namespace
}  // namespace vantorel
