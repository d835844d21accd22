// The request cycle against a recording server: what goes on the wire for
// Open, Send and SendText, URL forms, method rules and connection reuse.
#include <gtest/gtest.h>

#include "net/HttpSession.h"
#include "support/RecordingServer.h"

namespace vantorel {
namespace {

using test::Always;
using test::RecordingServer;
using test::ScriptedReply;

constexpr char kAgentLine[] = "User-Agent: Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2)\r\n";
constexpr char kThreeLineBlock[] = "Accept:*/*\r\nAccept-Language:zh-cn\r\nCache-Control:no-cache\r\n";

std::string HostLine(const RecordingServer& server) {
  return "Host: 127.0.0.1:" + std::to_string(server.port()) + "\r\n";
}

std::string Authority(const RecordingServer& server) { return "127.0.0.1:" + std::to_string(server.port()); }

TEST(HttpSessionCore, TokenRequestSendsTheThreeLineBlockByteForByte) {
  RecordingServer server(Always(ScriptedReply::Ok("hello")));
  HttpSession session;
  ASSERT_TRUE(session.Open("GET", server.Url("/token?grant_type=client_credentials")));
  ASSERT_TRUE(session.SendText());
  EXPECT_EQ(session.GetResponseText(), "hello");

  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].head, "GET /token?grant_type=client_credentials HTTP/1.1\r\n" + HostLine(server) +
                                  kAgentLine + kThreeLineBlock + "\r\n");
  EXPECT_EQ(requests[0].body, "");
}

TEST(HttpSessionCore, FaceRequestKeepsItsJsonContentTypeOverTheFormDefault) {
  RecordingServer server(Always(ScriptedReply::Ok("{\"error_code\":0}")));
  HttpSession session;
  ASSERT_TRUE(session.Open("POST", server.Url("/rest/2.0/face/v3/search?access_token=t")));
  ASSERT_TRUE(session.SetContentType("application/json"));
  ASSERT_TRUE(session.SendText("{\"a\":1}"));
  EXPECT_EQ(session.GetResponseText(), "{\"error_code\":0}");

  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].head, "POST /rest/2.0/face/v3/search?access_token=t HTTP/1.1\r\n" + HostLine(server) +
                                  kAgentLine + "Content-Type:application/json\r\n" + kThreeLineBlock +
                                  "Content-Length: 7\r\n\r\n");
  EXPECT_EQ(requests[0].body, "{\"a\":1}");
}

TEST(HttpSessionCore, BodyOrPostChoosesTheFourLineBlock) {
  struct Case {
    const char* method;
    const char* body;
    const char* requestLine;
    const char* lengthLine;
  };
  const Case cases[] = {
      {"GET", "x=1", "GET /f HTTP/1.1", "Content-Length: 3\r\n"},
      {"POST", "", "POST /f HTTP/1.1", "Content-Length: 0\r\n"},
      {"post", "x=1", "POST /f HTTP/1.1", "Content-Length: 3\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.method) + " with body \"" + c.body + "\"");
    RecordingServer server(Always(ScriptedReply::Ok("")));
    HttpSession session;
    ASSERT_TRUE(session.Open(c.method, server.Url("/f")));
    ASSERT_TRUE(session.SendText(c.body));
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].head, std::string(c.requestLine) + "\r\n" + HostLine(server) + kAgentLine +
                                    kThreeLineBlock + "Content-Type:application/x-www-form-urlencoded\r\n" +
                                    c.lengthLine + "\r\n");
    EXPECT_EQ(requests[0].body, c.body);
  }
}

TEST(HttpSessionCore, UrlFormsReachTheServerAsPathAndQuery) {
  RecordingServer server(Always(ScriptedReply::Ok("")));
  struct Case {
    std::string url;
    std::string sentUrl;
    std::string requestLine;
  };
  const std::string authority = Authority(server);
  const Case cases[] = {
      {authority + "/a", "http://" + authority + "/a", "GET /a HTTP/1.1"},
      {"HTTP://" + authority + "/b", "HTTP://" + authority + "/b", "GET /b HTTP/1.1"},
      {"http://" + authority, "http://" + authority, "GET / HTTP/1.1"},
      {"http://" + authority + "/p?q=1&r=2", "http://" + authority + "/p?q=1&r=2", "GET /p?q=1&r=2 HTTP/1.1"},
  };
  HttpSession session;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    ASSERT_TRUE(session.Open("GET", c.url));
    EXPECT_EQ(session.State().url, c.sentUrl);
    EXPECT_EQ(session.State().scheme, 1);
    ASSERT_TRUE(session.SendText());
    EXPECT_EQ(server.Requests().back().RequestLine(), c.requestLine);
  }
}

TEST(HttpSessionCore, SchemeRulesOfOpen) {
  HttpSession session;
  ASSERT_TRUE(session.Open("GET", "a.b"));  // shorter than 8 bytes
  EXPECT_EQ(session.State().url, "http://a.b");
  ASSERT_TRUE(session.Open("GET", "example.test/x"));
  EXPECT_EQ(session.State().url, "http://example.test/x");
  EXPECT_FALSE(session.Open("GET", "ftp://example.test/x"));
  EXPECT_EQ(session.State().url, "http://ftp://example.test/x");
  ASSERT_TRUE(session.Open("GET", "HTTPS://example.test/x"));
  EXPECT_EQ(session.State().url, "HTTPS://example.test/x");
  EXPECT_EQ(session.State().scheme, 2);
  EXPECT_EQ(session.State().port, 443);
}

TEST(HttpSessionCore, MethodRulesForIsPost) {
  HttpSession session;
  const std::string url = "http://example.test/";
  ASSERT_TRUE(session.Open("post", url));
  EXPECT_EQ(session.State().isPost, 1);
  ASSERT_TRUE(session.Open(std::nullopt, url));
  EXPECT_EQ(session.State().isPost, 1);
  ASSERT_TRUE(session.Open("", url));
  EXPECT_EQ(session.State().isPost, 1);
  ASSERT_TRUE(session.Open("PUT", url));
  EXPECT_EQ(session.State().isPost, 0);
  session.SetDefaultHeaders(false);
  ASSERT_TRUE(session.Open("POST", url));
  EXPECT_EQ(session.State().isPost, 0);
}

TEST(HttpSessionCore, OmittedMethodSendsGet) {
  RecordingServer server(Always(ScriptedReply::Ok("")));
  HttpSession session;
  ASSERT_TRUE(session.Open(std::nullopt, server.Url("/m")));
  ASSERT_TRUE(session.SendText());
  EXPECT_EQ(server.Requests().at(0).RequestLine(), "GET /m HTTP/1.1");
}

TEST(HttpSessionCore, ConsecutiveRequestsShareOneConnection) {
  RecordingServer server(Always(ScriptedReply::Ok("body")));
  HttpSession session;
  ASSERT_TRUE(session.Open("GET", server.Url("/1")));
  const http::HttpHandle connection = session.ConnectionHandle();
  ASSERT_TRUE(session.SendText());
  EXPECT_EQ(session.GetResponseText(), "body");
  ASSERT_TRUE(session.Open("POST", server.Url("/2")));
  EXPECT_EQ(session.ConnectionHandle(), connection);
  ASSERT_TRUE(session.SendText("x"));
  EXPECT_EQ(session.GetResponseText(), "body");

  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(server.ConnectionCount(), 1);
  EXPECT_EQ(requests[0].clientPort, requests[1].clientPort);
}

TEST(HttpSessionCore, AnotherPortOrHostSpellingMakesANewConnectionHandle) {
  RecordingServer first(Always(ScriptedReply::Ok("")));
  RecordingServer second(Always(ScriptedReply::Ok("")));
  HttpSession session;
  ASSERT_TRUE(session.Open("GET", "http://localhost:" + std::to_string(first.port()) + "/"));
  http::HttpHandle connection = session.ConnectionHandle();
  ASSERT_TRUE(session.Open("GET", "http://LOCALHOST:" + std::to_string(first.port()) + "/"));
  EXPECT_NE(session.ConnectionHandle(), connection);
  connection = session.ConnectionHandle();
  ASSERT_TRUE(session.Open("GET", "http://LOCALHOST:" + std::to_string(second.port()) + "/"));
  EXPECT_NE(session.ConnectionHandle(), connection);
  EXPECT_EQ(session.State().port, second.port());
}

TEST(HttpSessionCore, UrlThatDoesNotCrackChangesOnlyUrl) {
  HttpSession session;
  ASSERT_TRUE(session.Open("GET", "http://example.test/a"));
  const http::HttpHandle request = session.RequestHandle();
  for (const char* bad : {"http://:80/", "http://host:99999/", "http://host:x/", "http://[::1/"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(session.Open("GET", bad));
    EXPECT_EQ(session.State().url, bad);
    EXPECT_EQ(session.RequestHandle(), request);
    EXPECT_EQ(session.State().hostName, "example.test");
  }
}

TEST(HttpSessionCore, SendWithoutOpenRequestFailsAndSendsNothing) {
  RecordingServer server(Always(ScriptedReply::Ok("")));
  HttpSession session;
  EXPECT_FALSE(session.SendText("x"));
  EXPECT_FALSE(session.Send());
  EXPECT_TRUE(server.Requests().empty());
}

TEST(HttpSessionCore, AfterCloseOpenFailsUntilStart) {
  RecordingServer server(Always(ScriptedReply::Ok("again")));
  HttpSession session;
  session.Close();
  EXPECT_EQ(session.SessionHandle(), 0);
  EXPECT_FALSE(session.Open("GET", server.Url("/")));
  session.Start();
  ASSERT_TRUE(session.Open("GET", server.Url("/")));
  ASSERT_TRUE(session.SendText());
  EXPECT_EQ(session.GetResponseText(), "again");
}

TEST(HttpSessionCore, StartWithAnAgentSendsIt) {
  RecordingServer server(Always(ScriptedReply::Ok("")));
  HttpSession session;
  session.Restart("TestAgent/1.0");
  ASSERT_TRUE(session.Open("GET", server.Url("/")));
  ASSERT_TRUE(session.SendText());
  EXPECT_TRUE(server.Requests().at(0).HasHeaderLine("User-Agent: TestAgent/1.0"));
}

TEST(HttpSessionCore, RestartMakesANewSessionAndEmptiesTheJar) {
  HttpSession session;
  session.SetCookieMode(1);
  session.MergeCookies("a=1");
  const http::HttpHandle before = session.SessionHandle();
  session.Restart();
  EXPECT_NE(session.SessionHandle(), 0);
  EXPECT_NE(session.SessionHandle(), before);
  EXPECT_EQ(session.State().cookieMode, 0);
  EXPECT_EQ(session.State().cookieJar, "; ");
  EXPECT_EQ(session.State().cookieJarLength, 2);
}

TEST(HttpSessionCore, CopyTakesSettingsButNoPlatformResources) {
  HttpSession session;
  session.SetCookieMode(1);
  session.MergeCookies("a=1");
  ASSERT_TRUE(session.Open("GET", "http://example.test/"));
  HttpSession copy(session);
  EXPECT_EQ(copy.State().cookieJar, "; a=1; ");
  EXPECT_EQ(copy.State().cookieMode, 1);
  EXPECT_EQ(copy.State().url, "http://example.test/");
  EXPECT_EQ(copy.SessionHandle(), 0);
  EXPECT_EQ(copy.RequestHandle(), 0);
  EXPECT_NE(session.RequestHandle(), 0);
}

}  // namespace
}  // namespace vantorel
