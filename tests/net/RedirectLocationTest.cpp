#include "net/RedirectLocation.h"

#include <gtest/gtest.h>

#include "net/ResponseHeadersForTest.h"

namespace vantorel {
namespace {

using test::ResponseHeaders;

TEST(RedirectLocation, FindsTheLocationValue) {
  const struct {
    const char* what;
    Text headers;
    Text location;
  } cases[] = {
      {"plain", ResponseHeaders({"Location: /next"}, "HTTP/1.1 302 Found"), "/next"},
      {"any case", ResponseHeaders({"LOCATION: /next"}), "/next"},
      {"content location counts", ResponseHeaders({"Content-Location: /copy"}), "/copy"},
      {"first of both", ResponseHeaders({"Content-Location: /copy", "Location: /next"}), "/copy"},
      {"blanks trimmed at both ends", ResponseHeaders({"Location: \xA1\xA1 /x  "}), "/x"},
      {"only blanks", ResponseHeaders({"Location:   \xA1\xA1 "}), ""},
      {"empty", ResponseHeaders({"Location:"}), ""},
      {"no line end after it", "HTTP/1.1 302 Found\r\nLocation: /x", ""},
      {"name at the very end", "HTTP/1.1 302 Found\r\nLocation:", ""},
      {"bare LF is part of the value", "HTTP/1.1 302 Found\r\nLocation: /x\nServer: y\r\n", "/x\nServer: y"},
      {"NUL and control bytes kept", ResponseHeaders({Text("Location: /a\0b\x01", 15)}), Text("/a\0b\x01", 5)},
      {"none", ResponseHeaders({"Server: y"}), ""},
      {"no headers", "", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FindRedirectLocation(c.headers), c.location) << c.what;
}

TEST(RedirectLocation, MakesLocationsAbsolute) {
  const CurrentRequest plain{"http://h/a", 1, "h", 80};
  const CurrentRequest secure{"https://h/a/b?x=1", 2, "h", 443};
  const CurrentRequest bare{"https://h", 2, "h", 443};
  const struct {
    Text location;
    const CurrentRequest& request;
    Text absolute;
  } cases[] = {
      {"/next", plain, "http://h:80/next"},
      {"/login", secure, "https://h:443/login"},
      {"//cdn/x", plain, "http://h:80//cdn/x"},
      {"HTTPS://Host/x", plain, "HTTPS://Host/x"},
      {"http://other:8080/y?z", secure, "http://other:8080/y?z"},
      {"page2", secure, "https://h/a/page2"},
      {"page2", bare, "https://page2"},
      {"page2", {"https://h/a/b?x=1/2", 2, "h", 443}, "https://h/a/b?x=1/page2"},
      {"?q=1", plain, "http://h/?q=1"},
      {"a/b:c", plain, "http://h/a/b:c"},
      {"ftp://x/y", plain, "ftp://x/y"},
      {"mailto:someone@h", plain, "mailto:someone@h"},
      {"", plain, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(AbsoluteLocation(c.location, c.request), c.absolute) << c.location;
}

TEST(RedirectLocation, ReadsAndResolvesInOneStep) {
  const CurrentRequest request{"http://h/a", 1, "h", 80};
  const Text redirect = ResponseHeaders({"Location: /next"}, "HTTP/1.1 302 Found");
  EXPECT_EQ(RedirectLocation(redirect, false, request), "/next");
  EXPECT_EQ(RedirectLocation(redirect, true, request), "http://h:80/next");
  EXPECT_EQ(RedirectLocation(ResponseHeaders({"Location:    "}), true, request), "");
}

TEST(RedirectLocation, DecidesWhetherToFollow) {
  const struct {
    const char* what;
    int cookieMode;
    int redirectsDisabled;
    Text location;
    std::int32_t countBefore;
    bool follows;
    std::int32_t countAfter;
  } cases[] = {
      {"cookie mode 0 leaves it to the platform", 0, 0, "http://h:80/x", 3, false, 3},
      {"disabled", 1, 1, "http://h:80/x", 3, false, 3},
      {"first hop", 1, 0, "http://h:80/x", 0, true, 1},
      {"tenth hop", 2, 0, "https://h/x", 9, true, 10},
      {"eleventh hop", 1, 0, "http://h:80/x", 10, false, 0},
      {"no location", 1, 0, "", 4, false, 0},
      {"upper-case scheme", 1, 0, "HTTPS://Host/x", 0, true, 1},
      {"other scheme", 1, 0, "ftp://x/y", 2, false, 0},
      {"NUL byte", 1, 0, Text("http://h/a\0b", 12), 0, false, 0},
      {"carriage return", 1, 0, "http://h/a\rX: y", 0, false, 0},
      {"tab", 2, 0, "http://h/a\tb", 0, false, 0},
      {"delete byte", 2, 0, "http://h/a\x7f", 0, false, 0},
  };
  for (const auto& c : cases) {
    std::int32_t count = c.countBefore;
    EXPECT_EQ(ShouldFollowRedirect(c.cookieMode, c.redirectsDisabled, c.location, count), c.follows) << c.what;
    EXPECT_EQ(count, c.countAfter) << c.what;
  }
}

TEST(RedirectLocation, FollowsTenHopsInARowThenStops) {
  std::int32_t count = 0;
  int followed = 0;
  while (ShouldFollowRedirect(1, 0, "http://h:80/loop", count)) ++followed;
  EXPECT_EQ(followed, kMaxRedirectsInARow);
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(ShouldFollowRedirect(1, 0, "http://h:80/loop", count)) << "a new chain starts afresh";
}

}  // namespace
}  // namespace vantorel
