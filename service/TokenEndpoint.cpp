#include "service/TokenEndpoint.h"

#include "service/ClientCredentials.h"
#include "service/Crypto.h"
#include "service/JsonWriter.h"

namespace vantorel::service {
namespace {

constexpr int kHttpBadRequest = 400;
constexpr int kHttpUnauthorized = 401;
constexpr int kHttpServerError = 500;

EndpointReply OAuthError(int status, const std::string& error, std::string_view description) {
  JsonWriter json;
  json.BeginObject().Key("error").String(error).Key("error_description").String(description).EndObject();
  return {status, json.text(), error};
}

// Members in a fixed order: clients have been known to read the token by
// position, expecting another member after it.
std::string TokenReply(const std::string& accessToken) {
  JsonWriter json;
  json.BeginObject()
      .Key("refresh_token").String(RandomHex(32))
      .Key("expires_in").Integer(kTokenLifetimeSeconds)
      .Key("scope").String("face_search face_register")
      .Key("session_key").String(RandomHex(32))
      .Key("access_token").String(accessToken)
      .Key("session_secret").String(RandomHex(16))
      .EndObject();
  return json.text();
}

}  // namespace

EndpointReply TokenEndpoint::Handle(const TokenRequest& request) {
  if (request.grantType.empty()) return OAuthError(kHttpBadRequest, "invalid_request", "grant_type is missing");
  const bool knownClient =
      SecretsEqual(request.clientId, kClientId) && SecretsEqual(request.clientSecret, kClientSecret);
  if (!knownClient) return OAuthError(kHttpUnauthorized, "invalid_client", "unknown client or wrong client secret");
  if (request.grantType != "client_credentials")
    return OAuthError(kHttpBadRequest, "unsupported_grant_type", "only client_credentials is supported");
  const auto token = tokens_.Issue(clock_());
  if (!token) return OAuthError(kHttpServerError, "server_error", "the token could not be stored");
  return {200, TokenReply(*token), "0"};
}

}  // namespace vantorel::service
