// Cookies kept by the session end to end: the jar of cookie mode 1 and the
// system cookie store of cookie mode 2, as the server sees them.
#include <gtest/gtest.h>

#include "net/HttpSession.h"
#include "support/RecordingServer.h"

namespace vantorel {
namespace {

using test::RecordingServer;
using test::RoutesTo;
using test::ScriptedReply;

class HttpSessionCookies : public ::testing::Test {
 protected:
  RecordingServer server{RoutesTo({
      {"/login", ScriptedReply::Ok("", "Set-Cookie: a=1; path=/\r\nSet-Cookie: b=2; path=/\r\n")},
      {"/update", ScriptedReply::Ok("", "Set-Cookie: a=9; path=/\r\n")},
      {"/logout", ScriptedReply::Ok("", "Set-Cookie: a=deleted; expires=Thu, 01 Jan 1970 00:00:00 GMT\r\n")},
      {"/blank", ScriptedReply::Ok("", "Set-Cookie: a=; path=/\r\n")},
      {"/page", ScriptedReply::Ok("page")},
  })};
  HttpSession session;

  void Get(const std::string& path, bool ignoreEmptyCookies = false) {
    ASSERT_TRUE(session.Open("GET", server.Url(path)));
    ASSERT_TRUE(session.SendText({}, ignoreEmptyCookies));
  }
};

TEST_F(HttpSessionCookies, JarFillsFromResponsesAndGoesWithEveryRequest) {
  session.SetCookieMode(1);
  Get("/login");
  EXPECT_EQ(session.State().cookieJar, "; a=1; b=2; ");
  EXPECT_EQ(session.State().cookieJarLength, 12);
  Get("/update");
  EXPECT_EQ(session.State().cookieJar, "; a=9; b=2; ");
  Get("/logout");
  EXPECT_EQ(session.State().cookieJar, "; b=2; ");
  Get("/page");

  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_TRUE(requests[0].HasHeaderLine("Cookie:"));  // the empty jar
  EXPECT_TRUE(requests[1].HasHeaderLine("Cookie:a=1; b=2"));
  EXPECT_TRUE(requests[2].HasHeaderLine("Cookie:a=9; b=2"));
  EXPECT_TRUE(requests[3].HasHeaderLine("Cookie:b=2"));
  for (const auto& request : requests) EXPECT_EQ(request.CountHeaders("Cookie"), 1) << request.head;
}

TEST_F(HttpSessionCookies, IgnoringEmptyCookiesKeepsAKnownEntry) {
  session.SetCookieMode(1);
  session.Cookies("a=1");
  Get("/blank", true);
  EXPECT_EQ(session.State().cookieJar, "; a=1; ");
  Get("/blank", false);
  EXPECT_EQ(session.State().cookieJar, "; a=; ");
}

TEST_F(HttpSessionCookies, CallerCookiesGoThroughTheModeOfTheSession) {
  session.SetCookieMode(1);
  EXPECT_TRUE(session.SetRequestCookies("x=1; y=2"));
  EXPECT_EQ(session.Cookies(), "x=1; y=2");
  EXPECT_EQ(session.GetCookie("y"), "2");
  EXPECT_EQ(session.GetCookie("y", true), "y=2");
  EXPECT_TRUE(session.RemoveCookies("x"));
  EXPECT_TRUE(session.MergeCookies("z=3"));
  Get("/page");
  EXPECT_TRUE(server.Requests().back().HasHeaderLine("Cookie:y=2; z=3"));
}

TEST_F(HttpSessionCookies, SystemStoreKeepsCookiesInModeTwo) {
  session.SetCookieMode(2);
  Get("/login");
  Get("/page");
  EXPECT_EQ(session.State().cookieJar, "; ");
  EXPECT_TRUE(session.SetSystemCookies("c=3; nothing"));
  EXPECT_FALSE(session.SetSystemCookies("nothing"));
  Get("/logout");
  Get("/page");

  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[0].CountHeaders("Cookie"), 0);  // the store had none for this URL
  EXPECT_TRUE(requests[1].HasHeaderLine("Cookie:a=1; b=2"));
  EXPECT_TRUE(requests[3].HasHeaderLine("Cookie:a=; b=2; c=3")) << requests[3].head;
}

TEST_F(HttpSessionCookies, ResponseLookupsReadTheLastResponse) {
  Get("/login");
  EXPECT_EQ(session.GetResponseCookies(), "a=1; b=2");
  EXPECT_EQ(session.GetResponseCookie("B"), "2");
  EXPECT_EQ(session.GetResponseHeader("content-length"), "0");
  EXPECT_EQ(session.GetResponseHeader("X-Missing"), "");
  Get("/logout");
  EXPECT_EQ(session.GetResponseCookies(), "");
  EXPECT_EQ(session.GetResponseCookie("a"), "deleted");
}

}  // namespace
}  // namespace vantorel
