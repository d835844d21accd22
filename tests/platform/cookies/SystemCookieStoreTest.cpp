#include "platform/cookies/SystemCookieStore.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace vantorel {
namespace {

// The cookie text for a URL, read with the two-call size protocol into a
// buffer of blanks with one NUL beyond the reported size.
Text CookiesFor(const Text& url) {
  const std::size_t needed = GetSystemCookies(url, {});
  if (needed == 0) return {};
  std::vector<char> buffer(needed + 1, ' ');
  buffer.back() = '\0';
  GetSystemCookies(url, std::span(buffer).first(needed));
  return Text(buffer.data());
}

// Every test uses hosts of its own: the store lives as long as the process.

TEST(SystemCookieStore, ReportsTheSizeFirstAndFillsTheBufferThen) {
  ASSERT_TRUE(SetSystemCookie("http://size.test/", "a", "1"));
  ASSERT_TRUE(SetSystemCookie("http://size.test/", "b", "22"));
  EXPECT_EQ(GetSystemCookies("http://size.test/", {}), 10u);  // "a=1; b=22" and the NUL

  std::vector<char> exact(10, '#');
  EXPECT_EQ(GetSystemCookies("http://size.test/", exact), 10u);
  EXPECT_EQ(Text(exact.begin(), exact.end()), Text("a=1; b=22\0", 10));

  std::vector<char> tooSmall(9, '#');
  EXPECT_EQ(GetSystemCookies("http://size.test/", tooSmall), 10u);
  EXPECT_EQ(Text(tooSmall.begin(), tooSmall.end()), Text("\0########", 9));
}

TEST(SystemCookieStore, ReportsZeroWithoutCookies) {
  std::vector<char> buffer(8, '#');
  EXPECT_EQ(GetSystemCookies("http://nothing.test/", buffer), 0u);
  EXPECT_EQ(buffer.front(), '#');
  EXPECT_EQ(GetSystemCookies("not a url", buffer), 0u);
  EXPECT_EQ(buffer.front(), '#');
}

TEST(SystemCookieStore, ScopesByHostIgnoringCaseAndPort) {
  ASSERT_TRUE(SetSystemCookie("http://Host.Test:8080/x?q=1", "sid", "abc"));
  EXPECT_EQ(CookiesFor("https://host.test/y"), "sid=abc");
  EXPECT_EQ(CookiesFor("http://user:pw@HOST.TEST/"), "sid=abc");
  EXPECT_EQ(CookiesFor("http://sub.host.test/"), "");
  EXPECT_EQ(CookiesFor("http://host.test.evil/"), "");
  EXPECT_EQ(CookiesFor("http://other.test/"), "");
}

TEST(SystemCookieStore, ScopesByTheDirectoryOfThePath) {
  ASSERT_TRUE(SetSystemCookie("http://path.test/a/b?x=/c/d", "deep", "1"));
  const struct {
    Text url;
    Text cookies;
  } cases[] = {
      {"http://path.test/a", "deep=1"},    {"http://path.test/a/", "deep=1"},
      {"http://path.test/a/x/y", "deep=1"}, {"http://path.test/ab", ""},
      {"http://path.test/", ""},            {"http://path.test", ""},
      {"http://path.test?a/b", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CookiesFor(c.url), c.cookies) << c.url;
}

TEST(SystemCookieStore, UrlsWithoutAPathScopeToTheRoot) {
  ASSERT_TRUE(SetSystemCookie("http://root.test", "r", "1"));
  ASSERT_TRUE(SetSystemCookie("http://root.test/page", "p", "2"));
  EXPECT_EQ(CookiesFor("http://root.test/any/where"), "r=1; p=2");
}

TEST(SystemCookieStore, ReplacesSameNameHostAndPathAndSendsLongerPathsFirst) {
  ASSERT_TRUE(SetSystemCookie("http://order.test/index", "a", "1"));
  ASSERT_TRUE(SetSystemCookie("http://order.test/index", "b", "2"));
  ASSERT_TRUE(SetSystemCookie("http://order.test/dir/page", "a", "deep"));
  ASSERT_TRUE(SetSystemCookie("http://order.test/other", "a", "3"));
  EXPECT_EQ(CookiesFor("http://order.test/dir/x"), "a=deep; a=3; b=2");
  EXPECT_EQ(CookiesFor("http://order.test/"), "a=3; b=2");
}

TEST(SystemCookieStore, KeepsEmptyValuesAndEmptyNames) {
  ASSERT_TRUE(SetSystemCookie("http://empty.test/", "gone", ""));
  ASSERT_TRUE(SetSystemCookie("http://empty.test/", "", "v"));
  EXPECT_EQ(CookiesFor("http://empty.test/"), "gone=; =v");
}

TEST(SystemCookieStore, RefusesUrlsWithoutHostAndControlBytes) {
  EXPECT_FALSE(SetSystemCookie("no-scheme.test/", "a", "1"));
  EXPECT_FALSE(SetSystemCookie("http:///path", "a", "1"));
  EXPECT_FALSE(SetSystemCookie("http://ctl.test/", "a", "1\r\nX-Injected: 1"));
  EXPECT_FALSE(SetSystemCookie("http://ctl.test/", Text("a\0b", 3), "1"));
  EXPECT_TRUE(SetSystemCookie("http://ctl.test/", "tab", "1\t2"));
  EXPECT_EQ(CookiesFor("http://ctl.test/"), "tab=1\t2");
}

TEST(SystemCookieStore, BracketedHostsKeepTheirPort) {
  ASSERT_TRUE(SetSystemCookie("http://[::1]:8080/x", "v6", "1"));
  EXPECT_EQ(CookiesFor("http://[::1]/"), "v6=1");
}

TEST(SystemCookieStore, TakesCookiesFromSeveralThreads) {
  constexpr int kThreads = 4;
  constexpr int kCookiesEach = 200;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < kCookiesEach; ++i) {
        SetSystemCookie("http://threads.test/", "t" + std::to_string(t) + "_" + std::to_string(i), "v");
        CookiesFor("http://threads.test/");
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  const Text cookies = CookiesFor("http://threads.test/");
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_NE(cookies.find("t" + std::to_string(t) + "_" + std::to_string(kCookiesEach - 1) + "=v"), Text::npos);
  }
  EXPECT_EQ(std::count(cookies.begin(), cookies.end(), '='), kThreads * kCookiesEach);
}

}  // namespace
}  // namespace vantorel
