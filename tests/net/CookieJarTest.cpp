#include "net/CookieJar.h"

#include <gtest/gtest.h>

#include "net/ResponseHeadersForTest.h"

namespace vantorel {
namespace {

using test::ResponseHeaders;

// A jar together with its recorded length, as the session keeps them.
struct Jar {
  explicit Jar(Text initial = kEmptyCookieJar) : text(std::move(initial)), length(static_cast<std::int32_t>(text.size())) {}
  Text text;
  std::int32_t length;
};

struct ResponseMergeCase {
  const char* what;
  Text jar;
  Text headers;
  bool ignoreEmptyCookies;
  Text expected;
};

TEST(CookieJar, MergesResponseCookies) {
  const ResponseMergeCase cases[] = {
      {"fills the empty jar in order", "; ", ResponseHeaders({"Set-Cookie: a=1; path=/", "Set-Cookie: b=2; path=/"}),
       false, "; a=1; b=2; "},
      {"replaces in place", "; a=1; b=2; ", ResponseHeaders({"Set-Cookie: a=9; path=/"}), false, "; a=9; b=2; "},
      {"replaces a middle entry", "; a=1; b=2; c=3; ", ResponseHeaders({"Set-Cookie: b=7;"}), false,
       "; a=1; b=7; c=3; "},
      {"deletes the first entry", "; a=9; b=2; ",
       ResponseHeaders({"Set-Cookie: a=deleted; expires=Thu, 01-Jan-1970 00:00:01 GMT"}), false, "; b=2; "},
      {"deletes the last entry", "; a=1; b=2; ", ResponseHeaders({"Set-Cookie: b=DELETED;"}), false, "; a=1; "},
      {"deletes with the capitalised marker", "; a=1; ", ResponseHeaders({"Set-Cookie: a=Deleted;"}), false, "; "},
      {"mixed-case marker is a value", "; a=1; ", ResponseHeaders({"Set-Cookie: a=DeLeTeD;"}), false,
       "; a=DeLeTeD; "},
      {"deleted unknown cookie changes nothing", "; ", ResponseHeaders({"Set-Cookie: a=deleted;"}), false, "; "},
      {"names are case-sensitive", "; a=1; ", ResponseHeaders({"Set-Cookie: A=1;"}), false, "; a=1; A=1; "},
      {"first entry in any case, later ones exact", "; ",
       ResponseHeaders({"set-cookie: a=1;", "set-cookie: b=2;", "Set-Cookie: c=3;"}), false, "; a=1; c=3; "},
      {"no semicolon stores nothing", "; ", ResponseHeaders({"Set-Cookie: x=1"}), false, "; "},
      {"pair without a name skipped", "; ", ResponseHeaders({"Set-Cookie: secure;", "Set-Cookie: a=1;"}), false,
       "; a=1; "},
      {"empty value kept unchanged when ignored", "; a=1; ", ResponseHeaders({"Set-Cookie: a=; path=/"}), true,
       "; a=1; "},
      {"blank value kept unchanged when ignored", "; a=1; ", ResponseHeaders({"Set-Cookie: a= \xA1\xA1; path=/"}),
       true, "; a=1; "},
      {"empty value appended when new", "; ", ResponseHeaders({"Set-Cookie: a=; path=/"}), true, "; a=; "},
      {"empty value stored when not ignored", "; a=1; ", ResponseHeaders({"Set-Cookie: a=; path=/"}), false,
       "; a=; "},
      {"deleted still removes when empties are ignored", "; a=1; ", ResponseHeaders({"Set-Cookie: a=deleted;"}),
       true, "; "},
      {"line without semicolon takes the next line", "; ",
       ResponseHeaders({"Set-Cookie: x=1", "Set-Cookie: y=2; path=/"}), false, "; x=1\r\nSet-Cookie: y=2; "},
      {"header block without final line end", "; ", "HTTP/1.1 200 OK\r\nSet-Cookie: a=1;", false, "; a=1; "},
      {"entry without a following \"; \" is left alone", "; a=1 ;", ResponseHeaders({"Set-Cookie: a=2;"}), false,
       "; a=1 ;"},
      {"no headers", "; a=1; ", "", false, "; a=1; "},
  };
  for (const ResponseMergeCase& c : cases) {
    Jar jar(c.jar);
    MergeResponseCookiesIntoJar(jar.text, jar.length, c.headers, c.ignoreEmptyCookies);
    EXPECT_EQ(jar.text, c.expected) << c.what;
    EXPECT_EQ(jar.length, static_cast<std::int32_t>(jar.text.size())) << c.what;
  }
}

TEST(CookieJar, TakesThousandsOfResponseCookiesAndDeletesThemAgain) {
  Jar jar;
  MergeResponseCookiesIntoJar(jar.text, jar.length, test::ManySetCookieLines(2000, "v"), false);
  EXPECT_EQ(jar.length, static_cast<std::int32_t>(jar.text.size()));
  EXPECT_EQ(JarCookie(jar.text, "c1999"), "v");
  EXPECT_EQ(JarCookie(jar.text, "c0", true), "c0=v");

  MergeResponseCookiesIntoJar(jar.text, jar.length, test::ManySetCookieLines(2000, "deleted"), false);
  EXPECT_EQ(jar.text, kEmptyCookieJar);
  EXPECT_EQ(jar.length, 2);
}

TEST(CookieJar, ReadsTheJarAndItsHeaderLine) {
  const struct {
    Text jar;
    Text cookies;
  } cases[] = {
      {"; ", ""},
      {"; a=1; b=2; ", "a=1; b=2"},
      {"; a=1 ;", "a=1"},
      {"; a", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JarCookies(c.jar), c.cookies) << c.jar;
    EXPECT_EQ(JarCookieHeader(c.jar), "Cookie:" + c.cookies) << c.jar;
  }
}

TEST(CookieJar, ReplacesTheWholeJar) {
  const struct {
    Text given;
    Text jar;
  } cases[] = {
      {"a=1", "; a=1; "},         {"a=1;", "; a=1; "},        {"", "; "},
      {"a=1 ", "; a=1 ;"},        {"x=1; y=2", "; x=1; y=2; "}, {"; a=1; ", "; a=1; "},
      {"; a=1", "; a=1; "},       {";", "; ; "},
  };
  for (const auto& c : cases) {
    Jar jar("; old=1; ");
    EXPECT_EQ(ReplaceJarCookies(jar.text, jar.length, c.given), c.given);
    EXPECT_EQ(jar.text, c.jar) << c.given;
    EXPECT_EQ(jar.length, static_cast<std::int32_t>(c.jar.size())) << c.given;
  }
}

TEST(CookieJar, GetsOneCookie) {
  const struct {
    Text jar;
    Text name;
    bool withName;
    Text expected;
  } cases[] = {
      {"; ab=1; a=2; ", "a", false, "2"},
      {"; ab=1; a=2; ", "a", true, "a=2"},
      {"; ab=1; a=2; ", "ab", false, "1"},
      {"; a=1; ", "A", false, ""},
      {"; a=1; ", "", false, ""},
      {"; a=1; ", "b", false, ""},
      {"; a=; ", "a", false, ""},
      {"; a=; ", "a", true, "a="},
      {"; a=1", "a", false, ""},
      {"; a=1 ;", "a", false, "1 "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JarCookie(c.jar, c.name, c.withName), c.expected) << c.jar << " / " << c.name;
  }
}

struct ListCase {
  Text jar;
  Text list;
  bool changed;
  Text expected;
};

using ListOperation = bool (*)(Text&, std::int32_t&, const Text&);

template <std::size_t N>
void ExpectListCases(ListOperation operation, const ListCase (&cases)[N]) {
  for (const ListCase& c : cases) {
    Jar jar(c.jar);
    EXPECT_EQ(operation(jar.text, jar.length, c.list), c.changed) << c.jar << " / " << c.list;
    EXPECT_EQ(jar.text, c.expected) << c.jar << " / " << c.list;
    EXPECT_EQ(jar.length, static_cast<std::int32_t>(jar.text.size())) << c.jar << " / " << c.list;
  }
}

TEST(CookieJar, MergesCookieLists) {
  const ListCase cases[] = {
      {"; a=1; b=2; ", "a=5; c=3", true, "; a=5; b=2; c=3; "},
      {"; a=1; ", "nothing", false, "; a=1; "},
      {"; a=1; ", "", false, "; a=1; "},
      {"; ", "a=1 ;b=2", true, "; a=1 ; b=2; "},
      {"; ", ";;  a=1;", true, "; a=1; "},
      {"; ", "x=1=2", true, "; x=1=2; "},
      {"; ", "=v", true, "; =v; "},
      {"; a=1; ", "A=2", true, "; a=1; A=2; "},
      {"; a=1; ", "a=deleted", true, "; a=deleted; "},
      {"; a=1 ;", "a=2", false, "; a=1 ;"},
      {"; a=1; b=2; ", "b=3; b=4", true, "; a=1; b=4; "},
  };
  ExpectListCases(MergeJarCookies, cases);
}

TEST(CookieJar, RemovesNamedCookies) {
  const ListCase cases[] = {
      {"; a=1; b=2; c=3; ", "a=anything; b", true, "; c=3; "},
      {"; a=1; b=2; c=3; ", "  c", true, "; a=1; b=2; "},
      {"; a=1; b=2; ", "b", true, "; a=1; "},
      {"; a=1; ", "A", false, "; a=1; "},
      {"; a=1; ", "zzz", false, "; a=1; "},
      {"; a=1; ", "", false, "; a=1; "},
      {"; =v; a=1; ", ";;", false, "; =v; a=1; "},
      {"; =v; a=1; ", "=", true, "; a=1; "},
      {"; a=1", "a", false, "; a=1"},
      {"; ab=1; a=2; ", "a", true, "; ab=1; "},
  };
  ExpectListCases(RemoveJarCookies, cases);
}

}  // namespace
}  // namespace vantorel
