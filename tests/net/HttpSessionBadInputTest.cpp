// Servers that misbehave: broken status lines, huge header blocks and
// bodies, bodies cut short, trickles and silence. No crash, bounded memory
// beyond the body itself, and the documented empty results.
#include <gtest/gtest.h>

#include "net/HttpSession.h"
#include "support/RecordingServer.h"

namespace vantorel {
namespace {

using test::Always;
using test::RecordingServer;
using test::ScriptedReply;
using Ending = ScriptedReply::Ending;

TEST(HttpSessionBadInput, BrokenResponsesFailWithEmptyResults) {
  const std::string hugeHeader = "X-Big: " + std::string(70 * 1024, 'a') + "\r\n";
  const std::string manyHeaders = [] {
    std::string lines;
    for (int i = 0; i < 3000; ++i) lines += "X-H" + std::to_string(i) + ": 0123456789abcdef\r\n";
    return lines;
  }();
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"not HTTP at all", "hello there\r\n\r\n"},
      {"misspelt protocol", "HTPT/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"},
      {"no status code", "HTTP/1.1 OK\r\nContent-Length: 2\r\n\r\nok"},
      {"one header line over 64 KB", "HTTP/1.1 200 OK\r\n" + hugeHeader + "Content-Length: 2\r\n\r\nok"},
      {"header block over 64 KB", "HTTP/1.1 200 OK\r\n" + manyHeaders + "Content-Length: 2\r\n\r\nok"},
      {"closed before the head ends", "HTTP/1.1 200 OK\r\nContent-Len"},
      {"nothing at all", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingServer server(Always(ScriptedReply::Raw(c.bytes, Ending::Close)));
    HttpSession session;
    ASSERT_TRUE(session.Open("GET", server.Url("/")));
    EXPECT_FALSE(session.SendText());
    EXPECT_EQ(session.GetResponseHeaders(), "");
    EXPECT_EQ(session.GetStatusCode(), 0);
    EXPECT_EQ(session.GetResponseText(), "");
  }
}

TEST(HttpSessionBadInput, HeaderBlockJustUnderTheLimitIsKept) {
  const std::string head = "HTTP/1.1 200 OK\r\nX-Big: " + std::string(60 * 1024, 'a') + "\r\nContent-Length: 2\r\n\r\n";
  RecordingServer server(Always(ScriptedReply::Raw(head + "ok")));
  HttpSession session;
  ASSERT_TRUE(session.Open("GET", server.Url("/")));
  ASSERT_TRUE(session.SendText());
  EXPECT_EQ(session.GetResponseHeaders(), head);
  EXPECT_EQ(session.GetResponseText(), "ok");
}

TEST(HttpSessionBadInput, BodyCutShortKeepsWhatArrived) {
  RecordingServer server(Always(ScriptedReply::Raw("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n" + std::string(500, 'b'),
                                    Ending::Close)));
  HttpSession session;
  ASSERT_TRUE(session.Open("GET", server.Url("/")));
  ASSERT_TRUE(session.SendText());
  EXPECT_EQ(session.State().contentLength, 1000);
  EXPECT_EQ(session.GetResponseRawText(), std::string(500, 'b'));
}

TEST(HttpSessionBadInput, HundredMegabyteBodyArrivesWhole) {
  constexpr std::size_t kSize = 100u * 1024 * 1024;
  ScriptedReply reply = ScriptedReply::Raw("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(kSize) + "\r\n\r\n");
  reply.fillerLength = kSize;
  RecordingServer server(Always(reply));
  HttpSession session;
  ASSERT_TRUE(session.Open("GET", server.Url("/")));
  ASSERT_TRUE(session.SendText());
  Bytes body = session.GetResponseBytes();
  ASSERT_EQ(body.size(), kSize);
  EXPECT_EQ(body.front(), 'x');
  EXPECT_EQ(body.back(), 'x');
}

TEST(HttpSessionBadInput, NegativeLengthCountsAsNoLength) {
  // A length of -5 must not become a block size; the body is read until the connection ends.
  RecordingServer server(Always(ScriptedReply::Raw("HTTP/1.1 200 OK\r\nX-Content-Length: -5\r\n\r\nabc", Ending::Close)));
  HttpSession session;
  ASSERT_TRUE(session.Open("GET", server.Url("/")));
  ASSERT_TRUE(session.SendText());
  EXPECT_EQ(session.State().contentLength, -5);
  EXPECT_EQ(session.GetResponseText(), "abc");
}

TEST(HttpSessionBadInput, TrickledResponseIsAssembled) {
  ScriptedReply reply = ScriptedReply::Ok("slow");
  reply.trickleDelay = std::chrono::milliseconds(2);
  RecordingServer server(Always(reply));
  HttpSession session;
  ASSERT_TRUE(session.Open("GET", server.Url("/")));
  ASSERT_TRUE(session.SendText());
  EXPECT_EQ(session.GetResponseText(), "slow");
}

TEST(HttpSessionBadInput, ReceiveTimeoutEndsASilentServer) {
  RecordingServer server(Always(ScriptedReply::Never()));
  HttpSession session;
  ASSERT_TRUE(session.SetTimeouts(0, 5000, 5000, 300));
  ASSERT_TRUE(session.Open("GET", server.Url("/")));
  EXPECT_FALSE(session.SendText());
  EXPECT_EQ(session.GetResponseHeaders(), "");
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST(HttpSessionBadInput, ReceiveTimeoutEndsABodyThatStalls) {
  RecordingServer server(Always(ScriptedReply::Raw("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc", Ending::Hang)));
  HttpSession session;
  ASSERT_TRUE(session.SetTimeouts(0, 5000, 5000, 300));
  ASSERT_TRUE(session.Open("GET", server.Url("/")));
  ASSERT_TRUE(session.SendText());
  EXPECT_EQ(session.GetResponseText(), "abc");
}

}  // namespace
}  // namespace vantorel
