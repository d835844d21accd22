// The last response: status, raw header block, Content-Length and the body
// in its three forms, read once into the receive buffer.
#include <gtest/gtest.h>

#include "net/HttpSession.h"
#include "support/RecordingServer.h"

namespace vantorel {
namespace {

using test::Always;
using test::RecordingServer;
using test::RoutesTo;
using test::ScriptedReply;

struct Exchange {
  bool sent = false;
  HttpSession session;
};

// One GET of "/" against a server that answers every request with `reply`.
void Fetch(Exchange& exchange, const RecordingServer& server) {
  ASSERT_TRUE(exchange.session.Open("GET", server.Url("/")));
  exchange.sent = exchange.session.SendText();
}

TEST(HttpSessionResponse, StatusAndRawHeadersAsReceived) {
  const std::string head = "HTTP/1.1 404 Not Found\r\nX-ODD-case:  v \r\nContent-Length: 4\r\n\r\n";
  RecordingServer server(Always(ScriptedReply::Raw(head + "gone")));
  Exchange exchange;
  HttpSession& session = exchange.session;
  EXPECT_EQ(session.GetStatusCode(), 0);
  EXPECT_EQ(session.GetStatusText(), "");
  Fetch(exchange, server);
  ASSERT_TRUE(exchange.sent);
  EXPECT_EQ(session.GetStatusCode(), 404);
  EXPECT_EQ(session.GetStatusText(), "Not Found");
  EXPECT_EQ(session.GetResponseHeaders(), head);
  EXPECT_EQ(session.State().contentLength, 4);
  EXPECT_EQ(session.GetResponseText(), "gone");

  session.Close();
  EXPECT_EQ(session.GetStatusCode(), 0);
  EXPECT_EQ(session.GetStatusText(), "");
  EXPECT_EQ(session.GetResponseHeaders(), "");
  EXPECT_TRUE(session.GetResponseBytes().empty());
}

TEST(HttpSessionResponse, InterimResponsesAreDropped) {
  const std::string finalHead = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\n";
  RecordingServer server(Always(ScriptedReply::Raw("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 103 Early Hints\r\nLink: </s>\r\n\r\n" +
                                    finalHead + "ok")));
  Exchange exchange;
  Fetch(exchange, server);
  ASSERT_TRUE(exchange.sent);
  EXPECT_EQ(exchange.session.GetResponseHeaders(), finalHead);
  EXPECT_EQ(exchange.session.GetStatusCode(), 200);
  EXPECT_EQ(exchange.session.GetResponseText(), "ok");
}

TEST(HttpSessionResponse, AfterPlatformRedirectOnlyTheLastBlockIsKept) {
  RecordingServer server(RoutesTo({
      {"/", ScriptedReply::Status(302, "Found", "Location: /b\r\nX-First: 1\r\n", "moved")},
      {"/b", ScriptedReply::Ok("final", "X-Second: 2\r\n")},
  }));
  Exchange exchange;
  Fetch(exchange, server);
  ASSERT_TRUE(exchange.sent);
  EXPECT_EQ(exchange.session.GetResponseHeaders(), "HTTP/1.1 200 OK\r\nX-Second: 2\r\nContent-Length: 5\r\n\r\n");
  EXPECT_EQ(exchange.session.GetResponseText(), "final");
  EXPECT_EQ(server.Requests().size(), 2u);
}

TEST(HttpSessionResponse, ContentLengthRules) {
  struct Case {
    const char* headers;
    int contentLength;
    const char* body;
    const char* expectedBody;
  };
  const Case cases[] = {
      {"content-length: 5\r\n", 5, "hello", "hello"},
      // The first occurrence counts, also as the tail of a longer name; the
      // body then outgrows the announced size and is read whole.
      {"X-Content-Length: 3\r\nContent-Length: 5\r\n", 3, "hello", "hello"},
      {"X-Content-Length: abc\r\nContent-Length: 5\r\n", 0, "hello", ""},
      {"Content-Length: 0\r\n", 0, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.headers);
    RecordingServer server(Always(ScriptedReply::Raw(std::string("HTTP/1.1 200 OK\r\n") + c.headers + "\r\n" + c.body)));
    Exchange exchange;
    Fetch(exchange, server);
    ASSERT_TRUE(exchange.sent);
    EXPECT_EQ(exchange.session.State().contentLength, c.contentLength);
    EXPECT_EQ(exchange.session.GetResponseText(), c.expectedBody);
  }
}

TEST(HttpSessionResponse, BodyWithoutLengthEndsWithTheConnection) {
  ScriptedReply reply = ScriptedReply::Raw("HTTP/1.1 200 OK\r\n\r\n", ScriptedReply::Ending::Close);
  reply.fillerLength = 50000;
  RecordingServer server(Always(reply));
  Exchange exchange;
  Fetch(exchange, server);
  ASSERT_TRUE(exchange.sent);
  EXPECT_EQ(exchange.session.State().contentLength, -1);
  EXPECT_EQ(exchange.session.GetResponseBytes(), Bytes(50000, 'x'));
}

TEST(HttpSessionResponse, EmptyBodyWithoutLengthIsReadAgainAndStaysEmpty) {
  RecordingServer server(Always(ScriptedReply::Raw("HTTP/1.1 200 OK\r\n\r\n", ScriptedReply::Ending::Close)));
  Exchange exchange;
  Fetch(exchange, server);
  ASSERT_TRUE(exchange.sent);
  EXPECT_TRUE(exchange.session.GetResponseBytes().empty());
  EXPECT_EQ(exchange.session.State().receivedLength, 0u);
  EXPECT_TRUE(exchange.session.GetResponseBytes().empty());
}

TEST(HttpSessionResponse, LongAnnouncedBodyIsReadWhole) {
  ScriptedReply reply = ScriptedReply::Raw("HTTP/1.1 200 OK\r\nContent-Length: 5000000\r\n\r\n");
  reply.fillerLength = 5000000;
  RecordingServer server(Always(reply));
  Exchange exchange;
  Fetch(exchange, server);
  ASSERT_TRUE(exchange.sent);
  Bytes body = exchange.session.GetResponseBytes();
  EXPECT_EQ(body.size(), 5000000u);
  EXPECT_EQ(body, Bytes(5000000, 'x'));
}

TEST(HttpSessionResponse, NulByteEndsBothTextForms) {
  const std::string body("ab\0cd", 5);
  RecordingServer server(Always(ScriptedReply::Ok(body)));
  Exchange exchange;
  Fetch(exchange, server);
  ASSERT_TRUE(exchange.sent);
  EXPECT_EQ(exchange.session.GetResponseBytes(), Bytes(body.begin(), body.end()));
  EXPECT_EQ(exchange.session.GetResponseRawText(), "ab");
  EXPECT_EQ(exchange.session.GetResponseText(), "ab");
}

TEST(HttpSessionResponse, TextIsDecodedFromUtf8AndRawTextIsNot) {
  RecordingServer server(Always(ScriptedReply::Ok("\xE4\xB8\xAD")));  // U+4E2D in UTF-8
  Exchange exchange;
  Fetch(exchange, server);
  ASSERT_TRUE(exchange.sent);
  EXPECT_EQ(exchange.session.GetResponseText(), "\xD6\xD0");  // the same character in code page 936
  EXPECT_EQ(exchange.session.GetResponseRawText(), "\xE4\xB8\xAD");
}

TEST(HttpSessionResponse, BodyIsReadOnceAndKeptUntilTheNextOpen) {
  RecordingServer server(Always(ScriptedReply::Ok("once")));
  Exchange exchange;
  Fetch(exchange, server);
  ASSERT_TRUE(exchange.sent);
  EXPECT_EQ(exchange.session.GetResponseText(), "once");
  EXPECT_EQ(exchange.session.State().receivedLength, 4u);
  EXPECT_EQ(exchange.session.GetResponseText(), "once");
  EXPECT_EQ(exchange.session.GetResponseRawText(), "once");
  ASSERT_TRUE(exchange.session.Open("GET", server.Url("/")));
  EXPECT_EQ(exchange.session.State().receivedLength, 0u);
  EXPECT_EQ(exchange.session.State().contentLength, 0);
  EXPECT_EQ(exchange.session.GetResponseHeaders(), "");
  EXPECT_TRUE(exchange.session.GetResponseBytes().empty());  // no response yet: length 0
}

}  // namespace
}  // namespace vantorel
