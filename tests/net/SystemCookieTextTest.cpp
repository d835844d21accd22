#include "net/SystemCookieText.h"

#include <gtest/gtest.h>

#include "net/ResponseHeadersForTest.h"

namespace vantorel {
namespace {

using test::ResponseHeaders;
using Cookies = std::vector<CookieAssignment>;

TEST(SystemCookieText, TakesResponseCookiesForTheStore) {
  const struct {
    const char* what;
    Text headers;
    bool ignoreEmptyCookies;
    Cookies expected;
  } cases[] = {
      {"name and value", ResponseHeaders({"Set-Cookie: a=1; path=/"}), false, {{"a", "1"}}},
      {"deleted is emptied", ResponseHeaders({"Set-Cookie: a=deleted; expires=Thu, 01-Jan-1970"}), true,
       {{"a", ""}}},
      {"empty value skipped when ignored", ResponseHeaders({"Set-Cookie: a=; path=/"}), true, {}},
      {"empty value kept otherwise", ResponseHeaders({"Set-Cookie: a=; path=/"}), false, {{"a", ""}}},
      {"pair without name skipped", ResponseHeaders({"Set-Cookie: HttpOnly;", "Set-Cookie: b=2;"}), false,
       {{"b", "2"}}},
      {"later entries need exact case", ResponseHeaders({"set-cookie: a=1;", "set-cookie: b=2;"}), false,
       {{"a", "1"}}},
      {"value keeps its blanks", ResponseHeaders({"Set-Cookie: a= 1 ;"}), true, {{"a", " 1 "}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ResponseCookiesForStore(c.headers, c.ignoreEmptyCookies), c.expected) << c.what;
  }
}

TEST(SystemCookieText, ReadsCallersCookieLists) {
  EXPECT_EQ(CookieListAssignments("a=1; b"), (Cookies{{"a", "1"}}));
  EXPECT_EQ(CookieListAssignments("b"), Cookies{});
  EXPECT_EQ(CookieListAssignments(""), Cookies{});
  EXPECT_EQ(CookieListAssignments("x=1=2"), (Cookies{{"x", "1=2"}}));
  EXPECT_EQ(CookieListAssignments("a=1 ;  b=2"), (Cookies{{"a", "1 "}, {"b", "2"}}));
  EXPECT_EQ(CookieListAssignments("=v;a="), (Cookies{{"", "v"}, {"a", ""}}));
}

}  // namespace
}  // namespace vantorel
