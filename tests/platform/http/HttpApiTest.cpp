// The HTTP layer end to end against the recording servers: its own
// redirects, the pull-style body and closing handles in any order.
#include <gtest/gtest.h>

#include <string>

#include "platform/http/HttpApi.h"
#include "support/RecordingServer.h"
#include "support/TestCertificateAuthority.h"
#include "support/TestEnvironment.h"

namespace vantorel::http {
namespace {

using test::Always;
using test::RecordingServer;
using test::RoutesTo;
using test::ScriptedReply;


struct Exchange {
  HttpHandle session = HttpOpenSession(u"agent", kAccessNoProxy);
  HttpHandle connection = 0;
  HttpHandle request = 0;

  ~Exchange() {
    HttpCloseHandle(request);
    HttpCloseHandle(connection);
    HttpCloseHandle(session);
  }
  bool Run(std::uint16_t port, const std::u16string& verb, const std::u16string& path, const std::string& body = "",
           std::uint32_t flags = 0) {
    connection = HttpConnect(session, u"127.0.0.1", port);
    request = HttpOpenRequest(connection, verb, path, flags);
    return HttpSendRequest(request, body.data(), body.size()) && HttpReceiveResponse(request);
  }
  std::string Body() {
    std::string body;
    std::size_t available = 0;
    while (HttpQueryDataAvailable(request, available) && available > 0) {
      std::string chunk(available, '\0');
      std::size_t read = 0;
      if (!HttpReadData(request, chunk.data(), chunk.size(), read)) break;
      body.append(chunk, 0, read);
    }
    return body;
  }
  int Status() {
    char16_t buffer[16] = {};
    std::size_t length = sizeof buffer;
    return HttpQueryHeaders(request, kQueryStatusCode, buffer, length) ? std::stoi(std::string(buffer, buffer + length / 2)) : 0;
  }
};

TEST(HttpApi, RedirectMethodsFollowTheStatus) {
  RecordingServer server(RoutesTo({
      {"/303", ScriptedReply::Status(303, "See Other", "Location: /end\r\n")},
      {"/307", ScriptedReply::Status(307, "Temporary Redirect", "Location: /end\r\n")},
      {"/end", ScriptedReply::Ok("end")},
  }));
  Exchange seeOther;
  ASSERT_TRUE(seeOther.Run(server.port(), u"POST", u"/303", "data"));
  EXPECT_EQ(seeOther.Body(), "end");
  Exchange temporary;
  ASSERT_TRUE(temporary.Run(server.port(), u"POST", u"/307", "data"));
  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[1].RequestLine(), "GET /end HTTP/1.1");
  EXPECT_EQ(requests[1].body, "");
  EXPECT_EQ(requests[3].RequestLine(), "POST /end HTTP/1.1");
  EXPECT_EQ(requests[3].body, "data");
}

TEST(HttpApi, FollowsAtMostTenRedirects) {
  std::vector<std::pair<std::string, ScriptedReply>> routes;
  for (int hop = 0; hop < 12; ++hop) {
    routes.emplace_back("/" + std::to_string(hop),
                        ScriptedReply::Status(302, "Found", "Location: /" + std::to_string(hop + 1) + "\r\n"));
  }
  RecordingServer server(RoutesTo(routes));
  Exchange exchange;
  ASSERT_TRUE(exchange.Run(server.port(), u"GET", u"/0"));
  EXPECT_EQ(exchange.Status(), 302);
  EXPECT_EQ(server.Requests().size(), 11u);
}

TEST(HttpApi, NeverLeavesHttpsForHttp) {
  test::TestCertificateAuthority authority;
  RecordingServer plain(Always(ScriptedReply::Ok("plain")));
  RecordingServer secure(Always(ScriptedReply::Status(302, "Found", "Location: " + plain.Url("/") + "\r\n")),
                         &authority);
  Exchange exchange;
  std::uint32_t ignoreAll = kIgnoreUnknownCa | kIgnoreCommonNameInvalid;
  exchange.connection = HttpConnect(exchange.session, u"127.0.0.1", secure.port());
  exchange.request = HttpOpenRequest(exchange.connection, u"GET", u"/", kRequestSecure);
  ASSERT_TRUE(HttpSetOption(exchange.request, kOptionSecurityFlags, &ignoreAll, 4));
  ASSERT_TRUE(HttpSendRequest(exchange.request, nullptr, 0));
  EXPECT_EQ(exchange.Status(), 302);
  EXPECT_TRUE(plain.Requests().empty());
}

TEST(HttpApi, BodyIsPulledInPiecesBelowThePauseThreshold) {
  ScriptedReply reply = ScriptedReply::Ok("");
  reply.bytes = "HTTP/1.1 200 OK\r\nContent-Length: 3000000\r\n\r\n";
  reply.fillerLength = 3000000;
  RecordingServer server(Always(reply));
  Exchange exchange;
  ASSERT_TRUE(exchange.Run(server.port(), u"GET", u"/"));
  std::size_t total = 0;
  std::size_t largestPiece = 0;
  std::size_t available = 0;
  std::string buffer(1 << 20, '\0');
  while (HttpQueryDataAvailable(exchange.request, available) && available > 0) {
    largestPiece = std::max(largestPiece, available);
    std::size_t read = 0;
    ASSERT_TRUE(HttpReadData(exchange.request, buffer.data(), buffer.size(), read));
    total += read;
  }
  EXPECT_EQ(total, 3000000u);
  EXPECT_LE(largestPiece, 512u * 1024);  // never the whole body at once
}

TEST(HttpApi, HandlesCloseInAnyOrderAndStaleHandlesFindNothing) {
  RecordingServer server(Always(ScriptedReply::Ok("still here")));
  HttpHandle session = HttpOpenSession(u"", kAccessNoProxy);
  HttpHandle connection = HttpConnect(session, u"127.0.0.1", server.port());
  HttpHandle request = HttpOpenRequest(connection, u"GET", u"/", 0);
  EXPECT_TRUE(HttpCloseHandle(session));
  EXPECT_TRUE(HttpCloseHandle(connection));
  ASSERT_TRUE(HttpSendRequest(request, nullptr, 0));
  std::size_t available = 0;
  EXPECT_TRUE(HttpQueryDataAvailable(request, available));
  EXPECT_TRUE(HttpCloseHandle(request));
  EXPECT_FALSE(HttpCloseHandle(request));
  EXPECT_FALSE(HttpSendRequest(request, nullptr, 0));
  EXPECT_EQ(HttpConnect(session, u"127.0.0.1", server.port()), 0);
  EXPECT_EQ(server.Requests().at(0).CountHeaders("User-Agent"), 0);
}

}  // namespace
}  // namespace vantorel::http
