#pragma once
// The object behind a request handle: what to send (method, target, headers,
// options, credentials) and the exchange itself, redirects included.
#include <cstdint>
#include <string>

#include "platform/http/HandleTable.h"
#include "platform/http/RedirectRules.h"
#include "platform/http/RequestHeaderList.h"
#include "platform/http/SessionState.h"
#include "platform/http/Transfer.h"

namespace vantorel::http {

struct Credentials {
  std::string userName;
  std::string password;
  long curlAuth = 0;  // 0: none given
};

class HttpRequest : public HandleObject {
 public:
  // target: the path and query as sent, already escaped.
  HttpRequest(ConnectionTarget connection, std::string method, std::string target, bool secure);
  HttpRequest(const HttpRequest&) = delete;
  HttpRequest& operator=(const HttpRequest&) = delete;
  ~HttpRequest() override;

  RequestHeaderList& headers() { return headers_; }
  std::uint32_t disabledFeatures = 0;
  std::uint32_t securityFlags = 0;
  Credentials serverCredentials;
  Credentials proxyCredentials;

  bool Send(const void* body, std::size_t length);
  bool HasResponse() const { return hasResponse_; }
  // The text of a query level; false for an unknown level or no response.
  bool QueryText(std::uint32_t level, std::string& text) const;
  bool WaitForBody(std::size_t& available);
  bool ReadBody(void* buffer, std::size_t size, std::size_t& read);

 private:
  struct Hop {
    RedirectTarget target;
    std::string method;
    bool withBody = true;
    bool sameOrigin = true;
  };

  Hop FirstHop() const;
  void Configure(const Hop& hop);
  void ConfigureMethod(const Hop& hop);
  void ConfigureProxy();
  void ConfigureTls(const Hop& hop);

  ConnectionTarget connection_;
  std::string method_;
  std::string target_;
  bool secure_;
  RequestHeaderList headers_;
  CurlHeaderList curlHeaders_;
  std::string body_;
  std::unique_ptr<Transfer> transfer_;
  bool hasResponse_ = false;
};

}  // namespace vantorel::http
