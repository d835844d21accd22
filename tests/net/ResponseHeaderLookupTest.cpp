#include "net/ResponseHeaderLookup.h"

#include <gtest/gtest.h>

#include "net/ResponseHeadersForTest.h"

namespace vantorel {
namespace {

using test::ResponseHeaders;

TEST(ResponseHeaderLookup, FindsAHeaderValue) {
  const Text headers = ResponseHeaders({"Content-Length: 42", "Content-Location: /copy", "X-Empty:",
                                        "X-Blank:   ", "X-Padded:  v  ", "X-Twice: 1", "X-Twice: 2"});
  const struct {
    Text name;
    Text value;
  } cases[] = {
      {"content-length", "42"}, {"CONTENT-LENGTH", "42"}, {"Location", ""},   {"X-Empty", ""},
      {"X-Blank", ""},          {"X-Padded", "v  "},     {"X-Twice", "1"},   {"HTTP/1.1 200 OK", ""},
      {"Missing", ""},          {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ResponseHeaderValue(headers, c.name), c.value) << c.name;
}

TEST(ResponseHeaderLookup, NeedsALineStartAndALineEnd) {
  EXPECT_EQ(ResponseHeaderValue("X-First: 1\r\nX-Second: 2\r\n", "X-First"), "");
  EXPECT_EQ(ResponseHeaderValue("HTTP/1.1 200 OK\r\nX-Last: 9", "X-Last"), "");
  EXPECT_EQ(ResponseHeaderValue("", "X-Last"), "");
}

TEST(ResponseHeaderLookup, CollectsTheResponseCookies) {
  const struct {
    const char* what;
    Text headers;
    Text cookies;
  } cases[] = {
      {"two cookies", ResponseHeaders({"Set-Cookie: a=1; path=/", "Set-Cookie: b=2; HttpOnly"}), "a=1; b=2"},
      {"later entries in any case", ResponseHeaders({"set-cookie: a=1;", "SET-COOKIE: b=2;"}), "a=1; b=2"},
      {"deleted left out", ResponseHeaders({"Set-Cookie: a=deleted; path=/", "Set-Cookie: b=2;"}), "b=2"},
      {"only a deleted one", ResponseHeaders({"Set-Cookie: a=deleted; path=/"}), ""},
      {"pair without name taken", ResponseHeaders({"Set-Cookie: flag; x"}), "flag"},
      {"no cookies", ResponseHeaders({"Server: y"}), ""},
      {"no semicolon", ResponseHeaders({"Set-Cookie: a=1"}), ""},
      {"no headers", "", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ResponseCookiesText(c.headers), c.cookies) << c.what;
}

TEST(ResponseHeaderLookup, CollectsThousandsOfCookies) {
  const Text cookies = ResponseCookiesText(test::ManySetCookieLines(2000, "v"));
  EXPECT_EQ(cookies.substr(0, 12), "c0=v; c1=v; ");
  EXPECT_EQ(cookies.substr(cookies.size() - 16), "c1998=v; c1999=v");
}

TEST(ResponseHeaderLookup, FindsOneCookieValue) {
  const struct {
    const char* what;
    Text headers;
    Text name;
    Text value;
  } cases[] = {
      {"name in any case", ResponseHeaders({"Set-Cookie: sid=abc; path=/"}), "SID", "abc"},
      {"written without blank", ResponseHeaders({"Set-Cookie:sid=abc;"}), "sid", "abc"},
      {"two blanks match neither form", ResponseHeaders({"Set-Cookie:  sid=abc;"}), "sid", ""},
      {"deleted is a value", ResponseHeaders({"Set-Cookie: sid=deleted; path=/"}), "sid", "deleted"},
      {"first match counts", ResponseHeaders({"Set-Cookie: a=1;", "Set-Cookie: a=2;"}), "a", "1"},
      {"prefix of another name", ResponseHeaders({"Set-Cookie: ab=1;", "Set-Cookie: a=2;"}), "a", "2"},
      {"value runs on to the next semicolon", ResponseHeaders({"Set-Cookie: a=1", "X: y; z"}), "a", "1\r\nX: y"},
      {"no semicolon after it", ResponseHeaders({"Set-Cookie: a=1"}), "a", ""},
      {"empty value", ResponseHeaders({"Set-Cookie: a=; path=/"}), "a", ""},
      {"missing", ResponseHeaders({"Set-Cookie: a=1;"}), "b", ""},
      {"no headers", "", "a", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ResponseCookieValue(c.headers, c.name), c.value) << c.what;
}

}  // namespace
}  // namespace vantorel
