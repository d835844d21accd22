// Redirects the session follows itself in cookie modes 1 and 2, and the
// location lookups, against a recording server.
#include <gtest/gtest.h>

#include "net/HttpSession.h"
#include "support/RecordingServer.h"

namespace vantorel {
namespace {

using test::RecordingServer;
using test::RoutesTo;
using test::ScriptedReply;

ScriptedReply RedirectTo(const std::string& location, const std::string& extraHeaders = "") {
  return ScriptedReply::Status(302, "Found", "Location: " + location + "\r\n" + extraHeaders, "moved");
}

TEST(HttpSessionRedirects, CookieModeOneFollowsWithTheJarOnEveryHop) {
  RecordingServer server(RoutesTo({
      {"/a", RedirectTo("/next", "Set-Cookie: s=1; path=/\r\n")},
      {"/next", RedirectTo("third", "Set-Cookie: t=2; path=/\r\n")},
      {"/third", ScriptedReply::Ok("arrived")},
  }));
  HttpSession session;
  session.SetCookieMode(1);
  ASSERT_TRUE(session.Open("GET", server.Url("/a")));
  ASSERT_TRUE(session.SendText());
  EXPECT_EQ(session.GetResponseText(), "arrived");
  EXPECT_EQ(session.State().url, server.Url("/third"));
  EXPECT_EQ(session.State().redirectCount, 0);

  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[1].RequestLine(), "GET /next HTTP/1.1");
  EXPECT_TRUE(requests[1].HasHeaderLine("Cookie:s=1"));
  EXPECT_EQ(requests[2].RequestLine(), "GET /third HTTP/1.1");
  EXPECT_TRUE(requests[2].HasHeaderLine("Cookie:s=1; t=2"));
  EXPECT_EQ(server.ConnectionCount(), 1);
}

TEST(HttpSessionRedirects, ChainOfTwelveStopsAfterTen) {
  std::vector<std::pair<std::string, ScriptedReply>> routes;
  for (int hop = 1; hop <= 12; ++hop) {
    routes.emplace_back("/r" + std::to_string(hop), RedirectTo("/r" + std::to_string(hop + 1)));
  }
  RecordingServer server(RoutesTo(routes));
  HttpSession session;
  session.SetCookieMode(1);
  ASSERT_TRUE(session.Open("GET", server.Url("/r1")));
  ASSERT_TRUE(session.SendText());
  EXPECT_EQ(server.Requests().size(), 11u);
  EXPECT_EQ(session.GetStatusCode(), 302);
  EXPECT_EQ(session.GetRedirectLocation(), "/r12");
  EXPECT_EQ(session.State().redirectCount, 0);
}

TEST(HttpSessionRedirects, RedirectedPostBecomesGetWithTheFormContentType) {
  RecordingServer server(RoutesTo({
      {"/form", RedirectTo("/done")},
      {"/done", ScriptedReply::Ok("done")},
  }));
  HttpSession session;
  session.SetCookieMode(1);
  ASSERT_TRUE(session.Open("POST", server.Url("/form")));
  ASSERT_TRUE(session.SendText("x=1"));
  EXPECT_EQ(session.State().isPost, 1);

  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].body, "x=1");
  EXPECT_EQ(requests[1].RequestLine(), "GET /done HTTP/1.1");
  EXPECT_TRUE(requests[1].HasHeaderLine("Content-Type:application/x-www-form-urlencoded"));
  EXPECT_EQ(requests[1].body, "");
}

TEST(HttpSessionRedirects, WhatIsNotFollowed) {
  struct Case {
    const char* name;
    ScriptedReply reply;
    int mode;
  };
  const Case cases[] = {
      {"blank location", ScriptedReply::Status(302, "Found", "Location:    \r\n"), 1},
      {"other scheme", RedirectTo("ftp://127.0.0.1/file"), 1},
      {"control byte", RedirectTo(std::string("/a\x01") + "b"), 2},
      {"cookie mode 0 without platform redirects", RedirectTo("/elsewhere"), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingServer server(RoutesTo({{"/start", c.reply}, {"/elsewhere", ScriptedReply::Ok("")}}));
    HttpSession session;
    session.SetCookieMode(c.mode);
    session.SetFollowRedirects(c.mode != 0);
    ASSERT_TRUE(session.Open("GET", server.Url("/start")));
    ASSERT_TRUE(session.SendText());
    EXPECT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(session.GetStatusCode(), 302);
    EXPECT_EQ(session.State().redirectCount, 0);
  }
}

TEST(HttpSessionRedirects, ContentLocationOfA200IsFollowedInBothSessionModes) {
  for (int mode : {1, 2}) {
    RecordingServer server(RoutesTo({
        {"/original", ScriptedReply::Ok("original", "Content-Location: /copy\r\n")},
        {"/copy", ScriptedReply::Ok("copy")},
    }));
    HttpSession session;
    session.SetCookieMode(mode);
    ASSERT_TRUE(session.Open("GET", server.Url("/original")));
    ASSERT_TRUE(session.SendText());
    EXPECT_EQ(session.GetResponseText(), "copy");
  }
}

TEST(HttpSessionRedirects, FailedHopEndsTheChainButTheFirstSendSucceeds) {
  RecordingServer server(RoutesTo({{"/a", RedirectTo("http://127.0.0.1:1/unreachable")}}));
  HttpSession session;
  session.SetCookieMode(1);
  ASSERT_TRUE(session.Open("GET", server.Url("/a")));
  EXPECT_TRUE(session.SendText());
  EXPECT_EQ(session.State().url, "http://127.0.0.1:1/unreachable");
  EXPECT_EQ(session.GetResponseHeaders(), "");
  EXPECT_EQ(session.State().redirectCount, 0);  // the next chain starts from zero
}

TEST(HttpSessionRedirects, LocationIsMadeAbsoluteInEachForm) {
  struct Case {
    std::string location;
    std::string path;
    std::string absolute;  // after "http://127.0.0.1:<port>" unless it starts with a scheme
  };
  const Case cases[] = {
      {"/next", "/a", "/next"},
      {"page2", "/a/b?x=1", "/a/page2"},
      {"HTTPS://Host/x", "/a", "HTTPS://Host/x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.location);
    RecordingServer server(RoutesTo({{c.path, ScriptedReply::Status(301, "Moved", "Location: " + c.location + "\r\n")}}));
    HttpSession session;
    session.SetFollowRedirects(false);
    ASSERT_TRUE(session.Open("GET", server.Url(c.path)));
    ASSERT_TRUE(session.SendText());
    EXPECT_EQ(session.GetRedirectLocation(), c.location);
    const std::string expected =
        c.absolute.starts_with("/") ? "http://127.0.0.1:" + std::to_string(server.port()) + c.absolute : c.absolute;
    EXPECT_EQ(session.GetRedirectLocation(true), expected);
  }
}

}  // namespace
}  // namespace vantorel
