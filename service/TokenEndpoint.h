#pragma once
// The OAuth 2.0 token endpoint for the client-credentials grant.
#include <string>

#include "service/Clock.h"
#include "service/EndpointReply.h"
#include "service/TokenStore.h"

namespace vantorel::service {

struct TokenRequest {
  std::string grantType;
  std::string clientId;
  std::string clientSecret;
};

class TokenEndpoint {
 public:
  TokenEndpoint(TokenStore& tokens, Clock clock) : tokens_(tokens), clock_(std::move(clock)) {}

  // A token for the configured client; the error objects of RFC 6749
  // section 5.2 otherwise.
  EndpointReply Handle(const TokenRequest& request);

 private:
  TokenStore& tokens_;
  Clock clock_;
};

}  // namespace vantorel::service
