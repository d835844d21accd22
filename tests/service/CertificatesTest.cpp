#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <fstream>

#include <openssl/pem.h>
#include <openssl/x509v3.h>

#include "service/Certificates.h"
#include "service/ServiceTestSupport.h"

namespace vantorel::service {
namespace {

using testing::ReadWholeFile;
using testing::TemporaryDirectory;

unsigned ModeOf(const std::string& path) {
  struct stat info{};
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : 0;
}

// Whether the certificate at `path` is valid for `host` (a name or an IP
// address) and signed by the certificate at `caPath`.
bool Trusted(const std::string& path, const std::string& caPath, const std::string& host) {
  FILE* file = std::fopen(path.c_str(), "r");
  FILE* caFile = std::fopen(caPath.c_str(), "r");
  X509* certificate = file ? PEM_read_X509(file, nullptr, nullptr, nullptr) : nullptr;
  X509* ca = caFile ? PEM_read_X509(caFile, nullptr, nullptr, nullptr) : nullptr;
  bool trusted = certificate && ca;
  if (trusted) {
    const bool isAddress = host.find_first_not_of("0123456789.") == std::string::npos;
    trusted = (isAddress ? X509_check_ip_asc(certificate, host.c_str(), 0)
                         : X509_check_host(certificate, host.c_str(), host.size(), 0, nullptr)) == 1;
    trusted = trusted && X509_verify(certificate, X509_get0_pubkey(ca)) == 1 && X509_check_ca(ca) >= 1;
  }
  X509_free(certificate);
  X509_free(ca);
  if (file) std::fclose(file);
  if (caFile) std::fclose(caFile);
  return trusted;
}

TEST(Certificates, FirstStartMakesACaAndALoopbackServerCertificate) {
  TemporaryDirectory folder;
  std::string error;
  const auto files = PrepareCertificates(folder.path(), error);
  ASSERT_TRUE(files) << error;
  EXPECT_EQ(files->caCertificate, folder.path() + "/ca.pem");
  for (const char* host : {"localhost", "127.0.0.1"})
    EXPECT_TRUE(Trusted(files->serverCertificate, files->caCertificate, host)) << host;
  EXPECT_FALSE(Trusted(files->serverCertificate, files->caCertificate, "example.com"));
  EXPECT_EQ(ModeOf(folder.path() + "/ca-key.pem"), 0600u);
  EXPECT_EQ(ModeOf(files->serverKey), 0600u);
  EXPECT_EQ(ModeOf(files->caCertificate), 0644u);
}

TEST(Certificates, LaterStartsKeepWhatIsValidAndRemakeWhatIsNot) {
  TemporaryDirectory folder;
  std::string error;
  const auto files = PrepareCertificates(folder.path(), error);
  ASSERT_TRUE(files) << error;
  const std::string ca = ReadWholeFile(files->caCertificate), server = ReadWholeFile(files->serverCertificate);

  ASSERT_TRUE(PrepareCertificates(folder.path(), error));
  EXPECT_EQ(ReadWholeFile(files->caCertificate), ca);
  EXPECT_EQ(ReadWholeFile(files->serverCertificate), server);

  // A lost server key: a new server certificate from the same CA.
  std::remove(files->serverKey.c_str());
  ASSERT_TRUE(PrepareCertificates(folder.path(), error));
  EXPECT_EQ(ReadWholeFile(files->caCertificate), ca);
  EXPECT_NE(ReadWholeFile(files->serverCertificate), server);
  EXPECT_TRUE(Trusted(files->serverCertificate, files->caCertificate, "127.0.0.1"));

  // A damaged CA: a new CA, and a server certificate it signed.
  std::ofstream(files->caCertificate) << "garbage";
  ASSERT_TRUE(PrepareCertificates(folder.path(), error));
  EXPECT_NE(ReadWholeFile(files->caCertificate), ca);
  EXPECT_TRUE(Trusted(files->serverCertificate, files->caCertificate, "localhost"));
}

TEST(Certificates, SaysWhyWhenTheFolderIsUnusable) {
  TemporaryDirectory folder;
  std::string error;
  EXPECT_FALSE(PrepareCertificates(folder.path() + "/missing/folder", error));
  EXPECT_NE(error.find("missing/folder"), std::string::npos) << error;
}

}  // namespace
}  // namespace vantorel::service
