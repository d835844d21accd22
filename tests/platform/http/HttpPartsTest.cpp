// The HTTP layer's pure parts: URL cracking, the request header list, the
// response head, redirect rules and the loopback test of the TLS trust.
#include <gtest/gtest.h>

#include "platform/http/HttpApi.h"
#include "platform/http/RedirectRules.h"
#include "platform/http/RequestHeaderList.h"
#include "platform/http/ResponseHead.h"
#include "platform/http/TlsTrust.h"
#include "support/TestEnvironment.h"

namespace vantorel::http {
namespace {

TEST(HttpCrackUrl, SplitsHttpAndHttpsUrls) {
  struct Case {
    std::u16string url;
    int scheme;
    std::u16string host;
    int port;
    std::u16string path;
    std::u16string extra;
  };
  const Case cases[] = {
      {u"http://h/a/b?x=1#f", kSchemeHttp, u"h", 80, u"/a/b", u"?x=1#f"},
      {u"HTTPS://Host:8443", kSchemeHttps, u"Host", 8443, u"", u""},
      {u"https://u:p@h:1/", kSchemeHttps, u"h", 1, u"/", u""},
      {u"http://[::1]:81/x", kSchemeHttp, u"::1", 81, u"/x", u""},
      {u"http://h?q", kSchemeHttp, u"h", 80, u"", u"?q"},
  };
  for (const Case& c : cases) {
    UrlComponents parts;
    ASSERT_TRUE(HttpCrackUrl(c.url, parts));
    EXPECT_EQ(parts.scheme, c.scheme);
    EXPECT_EQ(parts.host, c.host);
    EXPECT_EQ(parts.port, c.port);
    EXPECT_EQ(parts.path, c.path);
    EXPECT_EQ(parts.extraInfo, c.extra);
  }
  for (std::u16string bad : {u"ftp://h/", u"h/x", u"http://", u"http://h:0/", u"http://h:65536/", u"http://a b/",
                             u"http://[::1/", u"http://[::1]x/"}) {
    UrlComponents parts;
    EXPECT_FALSE(HttpCrackUrl(bad, parts));
  }
}

TEST(RequestHeaderList, ModifiersBehaveAsTheirNamesSay) {
  RequestHeaderList list;
  EXPECT_TRUE(list.Apply("A:1\r\nB:2", kAddIfNew));
  EXPECT_FALSE(list.Apply("a:9", kAddIfNew));
  EXPECT_TRUE(list.Apply("b:", kAddOrReplace));       // kept with an empty value
  EXPECT_TRUE(list.Apply("C:3", kAdd));
  EXPECT_TRUE(list.Apply("c:", kReplace));            // removed
  EXPECT_FALSE(list.Apply("D:", kReplace));           // nothing to replace
  EXPECT_FALSE(list.Apply("no colon", kAdd));
  EXPECT_FALSE(list.Apply(":value", kAdd));
  EXPECT_FALSE(list.Apply(std::string("E:a\0b", 5), kAdd));
  ASSERT_EQ(list.headers().size(), 2u);
  EXPECT_EQ(list.headers()[0].name, "A");
  EXPECT_EQ(list.headers()[1].value, "");

  CurlHeaderList curl = list.ToCurlList();
  std::vector<std::string> lines;
  for (curl_slist* item = curl.get(); item; item = item->next) lines.emplace_back(item->data);
  EXPECT_EQ(lines, (std::vector<std::string>{"A:1", "B;", "Accept:", "Expect:", "Content-Type:"}));
}

TEST(ResponseHead, KeepsTheFinalBlockOnly) {
  ResponseHead head;
  for (const char* line : {"HTTP/1.1 100 Continue\r\n", "\r\n", "HTTP/1.1 302 Found\n", "Location:  /x \r\n"}) {
    EXPECT_EQ(head.AddLine(line), ResponseHead::LineResult::Accepted);
  }
  EXPECT_EQ(head.AddLine("\r\n"), ResponseHead::LineResult::Complete);
  EXPECT_EQ(head.AddLine("Trailer: t\r\n"), ResponseHead::LineResult::Accepted);
  EXPECT_EQ(head.rawBlock(), "HTTP/1.1 302 Found\r\nLocation:  /x \r\n\r\n");
  EXPECT_EQ(head.statusCode(), 302);
  EXPECT_EQ(head.statusText(), "Found");
  EXPECT_EQ(head.HeaderValue("location"), "/x");
  EXPECT_EQ(head.HeaderValue("Missing"), "");
}

TEST(ResponseHead, RefusesBlocksOverTheLimit) {
  ResponseHead head;
  head.AddLine("HTTP/1.1 200 OK\r\n");
  const std::string line = "X: " + std::string(1000, 'a') + "\r\n";
  ResponseHead::LineResult result = ResponseHead::LineResult::Accepted;
  for (int i = 0; i < 80 && result == ResponseHead::LineResult::Accepted; ++i) result = head.AddLine(line);
  EXPECT_EQ(result, ResponseHead::LineResult::TooLarge);
  EXPECT_LE(head.rawBlock().size(), ResponseHead::kMaxBlockBytes);
}

TEST(RedirectRules, ResolvesAndRefuses) {
  auto target = ResolveRedirect("http://h:81/a/b?q", "c");
  ASSERT_TRUE(target);
  EXPECT_EQ(target->url, "http://h:81/a/c");
  target = ResolveRedirect("http://h/a", "https://other/x");
  ASSERT_TRUE(target);
  EXPECT_TRUE(target->secure);
  EXPECT_EQ(target->host, "other");
  EXPECT_FALSE(ResolveRedirect("https://h/a", "http://h/b"));
  EXPECT_FALSE(ResolveRedirect("http://h/a", "ftp://h/b"));
  EXPECT_FALSE(ResolveRedirect("http://h/a", ""));
  EXPECT_FALSE(ResolveRedirect("http://h/a", std::string("/x\0y", 4)));

  EXPECT_EQ(MethodAfterRedirect(302, "POST"), "GET");
  EXPECT_EQ(MethodAfterRedirect(303, "PUT"), "GET");
  EXPECT_EQ(MethodAfterRedirect(303, "HEAD"), "HEAD");
  EXPECT_EQ(MethodAfterRedirect(307, "POST"), "POST");
}

TEST(TlsTrust, LoopbackHostsAndTrustFiles) {
  for (const char* host : {"127.0.0.1", "127.9.8.7", "::1", "[::1]", "LocalHost"}) EXPECT_TRUE(IsLoopbackHost(host)) << host;
  for (const char* host : {"128.0.0.1", "example.test", "localhost.example", "::2", ""}) {
    EXPECT_FALSE(IsLoopbackHost(host)) << host;
  }
  {
    test::ScopedEnvironment certFile("SSL_CERT_FILE", "/tmp/bundle.pem");
    test::ScopedEnvironment dataHome("XDG_DATA_HOME", "/data");
    EXPECT_EQ(TrustedBundlePath(), "/tmp/bundle.pem");
    EXPECT_EQ(LocalServiceCaPath(), "/data/vantorel/ca.pem");
  }
  test::ScopedEnvironment noCertFile("SSL_CERT_FILE", std::nullopt);
  test::ScopedEnvironment noDataHome("XDG_DATA_HOME", std::nullopt);
  test::ScopedEnvironment home("HOME", "/home/u");
  EXPECT_EQ(TrustedBundlePath(), "/etc/ssl/certs/ca-certificates.crt");
  EXPECT_EQ(LocalServiceCaPath(), "/home/u/.local/share/vantorel/ca.pem");
}

}  // namespace
}  // namespace vantorel::http
