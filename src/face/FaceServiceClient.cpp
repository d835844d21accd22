#include "face/FaceServiceClient.h"

#include "base/TextOps.h"
#include "face/Base64.h"
#include "face/FaceServiceConfig.h"
#include "face/RequestTemplates.h"
#include "json/JsonDocument.h"
#include "net/HttpSession.h"
#include "platform/codepage/CodePage.h"

namespace vantorel {
namespace {

const char kSearchPath[] = "/rest/2.0/face/v3/search?access_token=";
const char kRegisterPath[] = "/rest/2.0/face/v3/faceset/user/add?access_token=";

// The token only counts when the reply really carries one as the JSON member
// "access_token", wherever it stands and however the reply is spaced.
std::optional<Text> ReadAccessToken(const Text& reply) {
  if (Find(reply, "access_token") < 1) return std::nullopt;
  JsonDocument document;
  if (!document.Parse(reply) || document.GetType("access_token") != JsonValueType::String) return std::nullopt;
  Text token = document.GetText("access_token");
  if (token.empty()) return std::nullopt;
  return token;
}

}  // namespace

FaceServiceClient::FaceServiceClient(std::optional<Text> baseAddress)
    : baseAddress_(baseAddress ? std::move(*baseAddress) : Text(kFaceServiceUrl)),
      session_(std::make_unique<HttpSession>()) {}

FaceServiceClient::~FaceServiceClient() = default;

FaceServiceClient::FaceServiceClient(const FaceServiceClient& other)
    : baseAddress_(other.baseAddress_),
      session_(std::make_unique<HttpSession>(*other.session_)),
      accessToken_(other.accessToken_) {}

Text FaceServiceClient::AcquireToken() {
  session_->Open("GET", baseAddress_ + "/oauth/2.0/token?grant_type=client_credentials&client_id=" +
                            kFaceClientId + "&client_secret=" + kFaceClientSecret);
  session_->SendText();
  const Text reply = session_->GetResponseText();
  std::optional<Text> token = ReadAccessToken(reply);
  if (!token) return reply;
  accessToken_ = std::move(*token);
  return "1";
}

Text FaceServiceClient::SearchFace(const Bytes& picture, const Text& groupIdList) {
  return PostJson(kSearchPath, SearchRequestBody(EncodeBase64(picture), groupIdList));
}

Text FaceServiceClient::RegisterFace(const Bytes& picture, const Text& userId, const Text& groupId,
                                     const Text& userInfo) {
  return PostJson(kRegisterPath, RegisterRequestBody(EncodeBase64(picture), userId, groupId, userInfo));
}

// The body is composed in CP936 and goes on the wire as UTF-8, the encoding
// the service reads (its replies come back as UTF-8 too).
Text FaceServiceClient::PostJson(const char* path, const Text& body) {
  session_->Open("POST", baseAddress_ + path + accessToken_);
  session_->SetContentType("application/json");
  const std::string utf8 = ToUtf8(body);
  session_->Send(Bytes(utf8.begin(), utf8.end()));
  return session_->GetResponseText();
}

}  // namespace vantorel
