// Options: what each setter needs, proxy and its credentials, server
// credentials, raw options and the platform's cookies in cookie mode 0.
#include <gtest/gtest.h>

#include "net/HttpSession.h"
#include "support/RecordingServer.h"

namespace vantorel {
namespace {

using test::Always;
using test::RecordingServer;
using test::RoutesTo;
using test::ScriptedReply;

TEST(HttpSessionOptions, SettersFailWithoutTheHandleTheyNeed) {
  HttpSession session;
  EXPECT_FALSE(session.SetCredentials("u", "p"));
  EXPECT_FALSE(session.SetOption(2, http::kOptionDisableFeature, http::kDisableCookies, 4));
  EXPECT_FALSE(session.SetOption(1, http::kOptionDisableFeature, http::kDisableCookies, 4));
  EXPECT_FALSE(session.SetRequestCookies("a=1"));
  session.Close();
  EXPECT_FALSE(session.SetTimeouts());
  EXPECT_FALSE(session.SetProxy("127.0.0.1:1"));
  EXPECT_FALSE(session.SetOption(std::nullopt, http::kOptionSecurityFlags, 0, 4));
}

TEST(HttpSessionOptions, RawOptionsReachTheChosenHandle) {
  HttpSession session;
  ASSERT_TRUE(session.Open("GET", "http://example.test/"));
  EXPECT_TRUE(session.SetOption(2, http::kOptionSecurityFlags, 0x3300, 4));
  EXPECT_FALSE(session.SetOption(2, http::kOptionSecurityFlags, 0x3300, 8));
  EXPECT_FALSE(session.SetOption(2, http::kOptionProxyUserName, 0, 4));
  EXPECT_FALSE(session.SetOption(1, http::kOptionSecurityFlags, 0x3300, 4));
  EXPECT_FALSE(session.SetOption(std::nullopt, 12345, 1, 4));
}

TEST(HttpSessionOptions, ProxyCredentialsPendingReachTheNextRequestOnly) {
  RecordingServer proxy(Always(ScriptedReply::Ok("via proxy")));
  HttpSession session;
  ASSERT_TRUE(session.SetProxy("127.0.0.1:" + std::to_string(proxy.port()), "pu", "pp"));
  EXPECT_EQ(session.State().proxyCredentialsPending, 1);
  const std::string target = "http://127.0.0.1:9/x";  // reached through the proxy only
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(session.Open("GET", target));
    ASSERT_TRUE(session.SendText());
    EXPECT_EQ(session.GetResponseText(), "via proxy");
  }
  EXPECT_EQ(session.State().proxyCredentialsPending, 0);
  EXPECT_EQ(session.State().proxyUserName, "");
  auto requests = proxy.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].RequestLine(), "GET " + target + " HTTP/1.1");
  EXPECT_TRUE(requests[0].HasHeaderLine("Proxy-Authorization: Basic cHU6cHA="));
  EXPECT_EQ(requests[1].CountHeaders("Proxy-Authorization"), 0);
}

TEST(HttpSessionOptions, ProxyGivenWhileARequestIsOpenAppliesToThatRequest) {
  RecordingServer proxy(Always(ScriptedReply::Ok("")));
  HttpSession session;
  ASSERT_TRUE(session.Open("GET", "http://127.0.0.1:9/y"));
  ASSERT_TRUE(session.SetProxy("127.0.0.1:" + std::to_string(proxy.port()), "u", "p"));
  EXPECT_EQ(session.State().proxyCredentialsPending, 0);
  ASSERT_TRUE(session.SendText());
  EXPECT_TRUE(proxy.Requests().at(0).HasHeaderLine("Proxy-Authorization: Basic dTpw"));
}

TEST(HttpSessionOptions, EmptyProxyAddressGoesDirect) {
  RecordingServer proxy(Always(ScriptedReply::Ok("proxy")));
  RecordingServer direct(Always(ScriptedReply::Ok("direct")));
  HttpSession session;
  ASSERT_TRUE(session.SetProxy("127.0.0.1:" + std::to_string(proxy.port())));
  ASSERT_TRUE(session.SetProxy(""));
  ASSERT_TRUE(session.Open("GET", direct.Url("/")));
  ASSERT_TRUE(session.SendText());
  EXPECT_EQ(session.GetResponseText(), "direct");
  EXPECT_TRUE(proxy.Requests().empty());
}

TEST(HttpSessionOptions, ServerCredentialsGoWithTheOpenRequest) {
  RecordingServer server(Always(ScriptedReply::Ok("")));
  HttpSession session;
  ASSERT_TRUE(session.Open("GET", server.Url("/")));
  ASSERT_TRUE(session.SetCredentials("user", "pass"));
  EXPECT_FALSE(session.SetCredentials("user", "pass", 0, 12345));
  ASSERT_TRUE(session.SendText());
  ASSERT_TRUE(session.Open("GET", server.Url("/")));
  ASSERT_TRUE(session.SendText());
  auto requests = server.Requests();
  EXPECT_TRUE(requests.at(0).HasHeaderLine("Authorization: Basic dXNlcjpwYXNz"));
  EXPECT_EQ(requests.at(1).CountHeaders("Authorization"), 0);
}

TEST(HttpSessionOptions, PlatformKeepsCookiesInModeZeroUntilACallerSetsItsOwn) {
  RecordingServer server(RoutesTo({
      {"/set", ScriptedReply::Ok("", "Set-Cookie: sid=abc; Path=/\r\n")},
      {"/next", ScriptedReply::Ok("")},
  }));
  HttpSession session;
  ASSERT_TRUE(session.Open("GET", server.Url("/set")));
  ASSERT_TRUE(session.SendText());
  ASSERT_TRUE(session.Open("GET", server.Url("/next")));
  ASSERT_TRUE(session.SendText());
  ASSERT_TRUE(session.Open("GET", server.Url("/next")));
  ASSERT_TRUE(session.SetRequestCookies("mine=1"));
  ASSERT_TRUE(session.SendText());
  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_TRUE(requests[1].HasHeaderLine("Cookie: sid=abc"));
  EXPECT_TRUE(requests[2].HasHeaderLine("Cookie:mine=1"));
  EXPECT_EQ(requests[2].CountHeaders("Cookie"), 1);
}

TEST(HttpSessionOptions, NoRedirectsFollowedOnceForbidden) {
  RecordingServer server(RoutesTo({
      {"/a", ScriptedReply::Status(302, "Found", "Location: /next\r\n")},
      {"/next", ScriptedReply::Ok("next")},
  }));
  HttpSession session;
  session.SetFollowRedirects(false);
  EXPECT_EQ(session.State().redirectsDisabled, 1);
  ASSERT_TRUE(session.Open("GET", server.Url("/a")));
  ASSERT_TRUE(session.SendText());
  EXPECT_EQ(session.GetStatusCode(), 302);
  EXPECT_EQ(server.Requests().size(), 1u);
  session.SetFollowRedirects();
  EXPECT_EQ(session.State().redirectsDisabled, 0);
  ASSERT_TRUE(session.Open("GET", server.Url("/a")));
  ASSERT_TRUE(session.SendText());
  EXPECT_EQ(session.GetResponseText(), "next");
}

TEST(HttpSessionOptions, CookieModeAcceptsOnlyItsThreeValues) {
  HttpSession session;
  const std::pair<std::optional<int>, int> cases[] = {{std::nullopt, 1}, {2, 2}, {3, 0}, {-1, 0}, {0, 0}};
  for (const auto& [given, expected] : cases) {
    if (given) {
      session.SetCookieMode(*given);
    } else {
      session.SetCookieMode();
    }
    EXPECT_EQ(session.State().cookieMode, expected);
  }
}

}  // namespace
}  // namespace vantorel
