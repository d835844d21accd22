#pragma once
// A throw-away certificate authority made at test time, with a server
// certificate for 127.0.0.1 and localhost that it signed.
#include <memory>
#include <string>

#include <openssl/ssl.h>

namespace vantorel::test {

class TestCertificateAuthority {
 public:
  TestCertificateAuthority();
  ~TestCertificateAuthority();
  TestCertificateAuthority(const TestCertificateAuthority&) = delete;
  TestCertificateAuthority& operator=(const TestCertificateAuthority&) = delete;

  // The CA certificate in PEM form, to trust.
  const std::string& caPem() const { return caPem_; }
  // A server context with the signed certificate and its key.
  SSL_CTX* serverContext() const { return context_.get(); }

 private:
  struct ContextDeleter {
    void operator()(SSL_CTX* context) const { SSL_CTX_free(context); }
  };
  std::string caPem_;
  std::unique_ptr<SSL_CTX, ContextDeleter> context_;
};

}  // namespace vantorel::test
