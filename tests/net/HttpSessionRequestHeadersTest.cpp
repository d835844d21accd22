// Request headers on the open request, as they arrive at the server.
#include <functional>

#include <gtest/gtest.h>

#include "net/HttpSession.h"
#include "support/RecordingServer.h"

namespace vantorel {
namespace {

using test::Always;
using test::RecordedRequest;
using test::RecordingServer;
using test::ScriptedReply;

// Opens a GET of /h, runs `setHeaders`, sends, and returns what the server saw.
RecordedRequest SendWith(const std::function<void(HttpSession&)>& setHeaders) {
  RecordingServer server(Always(ScriptedReply::Ok("")));
  HttpSession session;
  EXPECT_TRUE(session.Open("GET", server.Url("/h")));
  setHeaders(session);
  EXPECT_TRUE(session.SendText());
  auto requests = server.Requests();
  return requests.empty() ? RecordedRequest{} : requests.front();
}

TEST(HttpSessionRequestHeaders, EveryHeaderOperationNeedsAnOpenRequest) {
  HttpSession session;
  const std::function<bool()> operations[] = {
      [&] { return session.SetRequestHeader("X-A", "1"); },
      [&] { return session.RemoveRequestHeader("X-A"); },
      [&] { return session.SetUserAgent(); },
      [&] { return session.SetReferer(); },
      [&] { return session.SetAccept(); },
      [&] { return session.SetAcceptLanguage(); },
      [&] { return session.SetContentType(); },
      [&] { return session.SetRequestedWith(); },
      [&] { return session.SetClientAddress("1.2.3.4"); },
      [&] { return session.AddDefaultHeaders(false); },
      [&] { return session.AddJarCookieHeader(); },
  };
  for (const auto& operation : operations) EXPECT_FALSE(operation());
}

TEST(HttpSessionRequestHeaders, SettersSendTheirDefaults) {
  RecordingServer server(Always(ScriptedReply::Ok("")));
  const std::string url = server.Url("/h");
  struct Case {
    std::function<bool(HttpSession&)> set;
    std::string line;
  };
  const Case cases[] = {
      {[](HttpSession& s) { return s.SetUserAgent(); },
       "User-Agent:Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2)"},
      {[](HttpSession& s) { return s.SetReferer(); }, "Referer:" + url},
      {[](HttpSession& s) { return s.SetAccept("text/html"); }, "Accept:text/html"},
      {[](HttpSession& s) { return s.SetAcceptLanguage(); }, "Accept-Language:zh-cn"},
      {[](HttpSession& s) { return s.SetContentType(); }, "Content-Type:application/x-www-form-urlencoded"},
      {[](HttpSession& s) { return s.SetRequestedWith(); }, "x-requested-with:XMLHttpRequest"},
      {[](HttpSession& s) { return s.SetRequestHeader("X-Empty", ""); }, "X-Empty:"},
  };
  HttpSession session;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ASSERT_TRUE(session.Open("GET", url));
    EXPECT_TRUE(c.set(session));
    ASSERT_TRUE(session.SendText());
    const RecordedRequest request = server.Requests().back();
    EXPECT_TRUE(request.HasHeaderLine(c.line)) << request.head;
    const std::string name = c.line.substr(0, c.line.find(':'));
    EXPECT_EQ(request.CountHeaders(name), 1) << request.head;
  }
}

TEST(HttpSessionRequestHeaders, RefererDefaultsToTheUrlWithTheAddedScheme) {
  RecordingServer server(Always(ScriptedReply::Ok("")));
  HttpSession session;
  const std::string withoutScheme = "127.0.0.1:" + std::to_string(server.port()) + "/r";
  ASSERT_TRUE(session.Open("GET", withoutScheme));
  ASSERT_TRUE(session.SetReferer());
  ASSERT_TRUE(session.SendText());
  EXPECT_TRUE(server.Requests().at(0).HasHeaderLine("Referer:http://" + withoutScheme));
}

TEST(HttpSessionRequestHeaders, ReplaceAddIfNewAndRemove) {
  RecordedRequest request = SendWith([](HttpSession& s) {
    EXPECT_TRUE(s.SetRequestHeader("X-A", "1"));
    EXPECT_TRUE(s.SetRequestHeader("x-a", "2"));  // add-or-replace, names ignore case
    EXPECT_FALSE(s.SetRequestHeader("X-A", "3", http::kAddIfNew));
    EXPECT_TRUE(s.SetRequestHeader("X-B", "gone"));
    EXPECT_TRUE(s.RemoveRequestHeader("x-b"));
    EXPECT_FALSE(s.RemoveRequestHeader("X-Never"));
    EXPECT_FALSE(s.SetRequestHeader("", "v"));
  });
  EXPECT_TRUE(request.HasHeaderLine("X-A:2"));
  EXPECT_EQ(request.CountHeaders("X-A"), 1);
  EXPECT_EQ(request.head.find("X-B"), std::string::npos);
}

TEST(HttpSessionRequestHeaders, CallersAcceptStaysAndDefaultBlockFillsTheRest) {
  RecordedRequest request = SendWith([](HttpSession& s) { EXPECT_TRUE(s.SetAccept("application/json")); });
  EXPECT_EQ(request.HeaderBlock().substr(request.HeaderBlock().find("Accept:")),
            "Accept:application/json\r\nAccept-Language:zh-cn\r\nCache-Control:no-cache\r\n\r\n");
}

TEST(HttpSessionRequestHeaders, ClientAddressSetsFourHeaders) {
  RecordedRequest request = SendWith([](HttpSession& s) { EXPECT_TRUE(s.SetClientAddress("10.0.0.7")); });
  for (const char* line : {"X-Forwarded-For:10.0.0.7", "CLIENT_IP:10.0.0.7", "VIA:10.0.0.7", "REMOTE_ADDR:10.0.0.7"}) {
    EXPECT_TRUE(request.HasHeaderLine(line)) << line;
  }
}

TEST(HttpSessionRequestHeaders, SeveralLinesInOneValueAreAddedLineByLine) {
  RecordedRequest request = SendWith([](HttpSession& s) { EXPECT_TRUE(s.SetRequestHeader("X-One", "1\r\nX-Two:2")); });
  EXPECT_TRUE(request.HasHeaderLine("X-One:1"));
  EXPECT_TRUE(request.HasHeaderLine("X-Two:2"));
}

TEST(HttpSessionRequestHeaders, BareLineBreaksCannotSmuggleHeaders) {
  RecordedRequest request = SendWith([](HttpSession& s) { EXPECT_FALSE(s.SetRequestHeader("X-Bad", "a\nX-Evil: 1")); });
  EXPECT_EQ(request.head.find("X-Evil"), std::string::npos);
  EXPECT_EQ(request.head.find("X-Bad"), std::string::npos);
}

TEST(HttpSessionRequestHeaders, DefaultBlockCanBeSwitchedOff) {
  RecordingServer server(Always(ScriptedReply::Ok("")));
  HttpSession session;
  session.SetDefaultHeaders(false);
  ASSERT_TRUE(session.Open("POST", server.Url("/")));
  ASSERT_TRUE(session.SendText("x"));
  EXPECT_EQ(server.Requests().at(0).HeaderBlock(),
            "Host: 127.0.0.1:" + std::to_string(server.port()) +
                "\r\nUser-Agent: Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2)\r\nContent-Length: 1\r\n\r\n");
  session.SetDefaultHeaders();
  EXPECT_EQ(session.State().defaultHeadersEnabled, 1);
}

TEST(HttpSessionRequestHeaders, HeaderSetOnAnEarlierRequestIsLostWithIt) {
  RecordingServer server(Always(ScriptedReply::Ok("")));
  HttpSession session;
  ASSERT_TRUE(session.Open("GET", server.Url("/first")));
  ASSERT_TRUE(session.SetRequestHeader("X-Early", "1"));
  ASSERT_TRUE(session.Open("GET", server.Url("/second")));
  ASSERT_TRUE(session.SendText());
  EXPECT_EQ(server.Requests().at(0).head.find("X-Early"), std::string::npos);
}

}  // namespace
}  // namespace vantorel
