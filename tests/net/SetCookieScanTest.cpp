#include "net/SetCookieScan.h"

#include <gtest/gtest.h>

#include "net/CookieText.h"
#include "net/ResponseHeadersForTest.h"

namespace vantorel {
namespace {

using test::ResponseHeaders;

struct ScanCase {
  const char* what;
  Text headers;
  LaterSetCookies later;
  std::vector<Text> pairs;
};

TEST(SetCookieScan, FindsThePairsOfAHeaderBlock) {
  const ScanCase cases[] = {
      {"two entries", ResponseHeaders({"Set-Cookie: a=1; path=/", "Set-Cookie: b=2; path=/"}),
       LaterSetCookies::ExactCase, {"a=1;", "b=2;"}},
      {"first entry in any case", ResponseHeaders({"SET-COOKIE: a=1;"}), LaterSetCookies::ExactCase, {"a=1;"}},
      {"later entry in another case skipped", ResponseHeaders({"set-cookie: a=1;", "set-cookie: b=2;"}),
       LaterSetCookies::ExactCase, {"a=1;"}},
      {"later entry in another case taken", ResponseHeaders({"set-cookie: a=1;", "set-cookie: b=2;"}),
       LaterSetCookies::IgnoreCase, {"a=1;", "b=2;"}},
      {"no semicolon anywhere", ResponseHeaders({"Set-Cookie: x=1"}), LaterSetCookies::ExactCase, {}},
      {"line without semicolon runs on",
       ResponseHeaders({"Set-Cookie: x=1", "Set-Cookie: y=2; path=/"}), LaterSetCookies::ExactCase,
       {"x=1\r\nSet-Cookie: y=2;"}},
      {"no final line end", "HTTP/1.1 200 OK\r\nSet-Cookie: a=1;", LaterSetCookies::ExactCase, {"a=1;"}},
      {"entry name at the very end", "HTTP/1.1 200 OK\r\nSet-Cookie:", LaterSetCookies::ExactCase, {}},
      {"blanks removed, tabs kept", ResponseHeaders({"Set-Cookie:  \xA1\xA1 a=1;", "Set-Cookie:\tb=2;"}),
       LaterSetCookies::ExactCase, {"a=1;", "\tb=2;"}},
      {"attributes are not entries", ResponseHeaders({"Set-Cookie: a=1; b=2; c=3"}), LaterSetCookies::ExactCase,
       {"a=1;"}},
      {"bare semicolon", ResponseHeaders({"Set-Cookie:;"}), LaterSetCookies::ExactCase, {";"}},
      {"NUL bytes are plain bytes", ResponseHeaders({Text("Set-Cookie: a\0b=1;", 18)}),
       LaterSetCookies::ExactCase, {Text("a\0b=1;", 6)}},
      {"empty headers", "", LaterSetCookies::IgnoreCase, {}},
  };
  for (const ScanCase& c : cases) {
    EXPECT_EQ(ScanSetCookiePairs(c.headers, c.later), c.pairs) << c.what;
  }
}

TEST(SetCookieScan, ReadsThousandsOfEntries) {
  const std::vector<Text> pairs =
      ScanSetCookiePairs(test::ManySetCookieLines(2000, "v"), LaterSetCookies::ExactCase);
  ASSERT_EQ(pairs.size(), 2000u);
  EXPECT_EQ(pairs.front(), "c0=v;");
  EXPECT_EQ(pairs.back(), "c1999=v;");
}

TEST(CookieText, NamesValuesAndTheDeletedMarker) {
  struct PairCase {
    Text pair;
    std::optional<Text> name;
    Text value;
    bool deleted;
    bool blank;
  };
  const PairCase cases[] = {
      {"sid=abc;", "sid", "abc", false, false},
      {"x=1=2;", "x", "1=2", false, false},
      {"flag;", std::nullopt, "", false, true},
      {"=v;", "", "v", false, false},
      {"a=;", "a", "", false, true},
      {"a= \xA1\xA1;", "a", " \xA1\xA1", false, true},
      {"a=\t;", "a", "\t", false, false},
      {"sid=deleted;", "sid", "deleted", true, false},
      {"sid=DELETED;", "sid", "DELETED", true, false},
      {"sid=Deleted;", "sid", "Deleted", true, false},
      {"sid=DeLeTeD;", "sid", "DeLeTeD", false, false},
      {"sid=deleted ;", "sid", "deleted ", false, false},
      {"=deleted;", "", "deleted", true, false},
      {"deleted;", std::nullopt, "", false, true},
  };
  for (const PairCase& c : cases) {
    EXPECT_EQ(CookieName(c.pair), c.name) << c.pair;
    EXPECT_EQ(PairValue(c.pair), c.value) << c.pair;
    EXPECT_EQ(IsDeletedPair(c.pair), c.deleted) << c.pair;
    EXPECT_EQ(HasBlankValue(c.pair), c.blank) << c.pair;
  }
}

TEST(CookieText, SplitsCookieLists) {
  EXPECT_EQ(CookieListPieces("a=1; b=2"), (std::vector<Text>{"a=1", "b=2"}));
  EXPECT_EQ(CookieListPieces("a=1;;  b=2;"), (std::vector<Text>{"a=1", "", "b=2"}));
  EXPECT_EQ(CookieListPieces("a=1 ;\xA1\xA1" "b"), (std::vector<Text>{"a=1 ", "b"}));
  EXPECT_EQ(CookieListPieces(""), std::vector<Text>{});
}

}  // namespace
}  // namespace vantorel
