#pragma once
// The program's gateway to the face service: one HTTP session and the access
// token every face request carries.
#include <memory>
#include <optional>

#include "base/Text.h"

namespace vantorel {

class HttpSession;

class FaceServiceClient {
 public:
  // `baseAddress` defaults to the address built into the program.
  explicit FaceServiceClient(std::optional<Text> baseAddress = std::nullopt);
  ~FaceServiceClient();
  FaceServiceClient(const FaceServiceClient& other);
  FaceServiceClient& operator=(const FaceServiceClient&) = delete;

  // "1" when a token was obtained, otherwise the reply as received.
  Text AcquireToken();
  // The service's reply text, unread.
  Text SearchFace(const Bytes& picture, const Text& groupIdList);
  Text RegisterFace(const Bytes& picture, const Text& userId, const Text& groupId, const Text& userInfo);

  const Text& accessToken() const { return accessToken_; }
  HttpSession& session() { return *session_; }

 private:
  Text PostJson(const char* path, const Text& body);

  Text baseAddress_;
  std::unique_ptr<HttpSession> session_;
  Text accessToken_;
};

}  // namespace vantorel
