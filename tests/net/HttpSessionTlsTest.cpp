// Certificates: verified by default, also on the first request after
// creation and after Restart; trusted through SSL_CERT_FILE or, for loopback
// hosts, the local service's CA file; ignored only when a caller asks.
#include <gtest/gtest.h>

#include "net/HttpSession.h"
#include "support/RecordingServer.h"
#include "support/TestCertificateAuthority.h"
#include "support/TestEnvironment.h"

namespace vantorel {
namespace {

using test::Always;
using test::RecordingServer;
using test::ScopedEnvironment;
using test::ScriptedReply;
using test::TemporaryDirectory;
using test::TestCertificateAuthority;

class HttpSessionTls : public ::testing::Test {
 protected:
  TestCertificateAuthority authority;
  RecordingServer server{Always(ScriptedReply::Ok("secret")), &authority};
  TemporaryDirectory folder;
  // No trust from the machine's own settings.
  ScopedEnvironment certFile{"SSL_CERT_FILE", std::nullopt};
  ScopedEnvironment dataHome{"XDG_DATA_HOME", folder.path() + "/empty"};

  bool FetchOver(HttpSession& session, const std::string& url) {
    return session.Open("GET", url) && session.SendText() && session.GetResponseText() == "secret";
  }
};

TEST_F(HttpSessionTls, FirstRequestAfterCreationAndAfterRestartVerifiesTheCertificate) {
  HttpSession session;
  EXPECT_EQ(session.State().ignoreCertificateErrors, 0);
  EXPECT_FALSE(FetchOver(session, server.Url("/")));
  session.Restart();
  EXPECT_EQ(session.State().ignoreCertificateErrors, 0);
  EXPECT_FALSE(FetchOver(session, server.Url("/")));
  EXPECT_EQ(session.GetResponseHeaders(), "");
}

TEST_F(HttpSessionTls, CertFileVariableNamesTheTrustedBundle) {
  ScopedEnvironment trust("SSL_CERT_FILE", folder.WriteFile("ca.pem", authority.caPem()));
  HttpSession session;
  EXPECT_TRUE(FetchOver(session, server.Url("/")));
  EXPECT_EQ(session.State().scheme, 2);
  EXPECT_TRUE(FetchOver(session, server.Url("/again")));
  EXPECT_EQ(server.ConnectionCount(), 1);
}

TEST_F(HttpSessionTls, LocalServiceCaIsTrustedForLoopbackHosts) {
  ScopedEnvironment local("XDG_DATA_HOME", folder.path() + "/data");
  folder.WriteFile("data/vantorel/ca.pem", authority.caPem());
  HttpSession session;
  EXPECT_TRUE(FetchOver(session, server.Url("/")));
  EXPECT_TRUE(FetchOver(session, "https://localhost:" + std::to_string(server.port()) + "/"));
}

TEST_F(HttpSessionTls, HomeFolderHoldsTheLocalServiceCaWhenNoDataHomeIsSet) {
  ScopedEnvironment noDataHome("XDG_DATA_HOME", std::nullopt);
  ScopedEnvironment home("HOME", folder.path());
  folder.WriteFile(".local/share/vantorel/ca.pem", authority.caPem());
  HttpSession session;
  EXPECT_TRUE(FetchOver(session, server.Url("/")));
}

TEST_F(HttpSessionTls, CallerCanIgnoreCertificateErrorsForOneRequest) {
  HttpSession session;
  ASSERT_TRUE(session.Open("GET", server.Url("/")));
  ASSERT_TRUE(session.SetOption(2, http::kOptionSecurityFlags, 0x3300, 4));
  ASSERT_TRUE(session.SendText());
  EXPECT_EQ(session.GetResponseText(), "secret");
  EXPECT_FALSE(FetchOver(session, server.Url("/")));
}

}  // namespace
}  // namespace vantorel
