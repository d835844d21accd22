#pragma once
// Face search and user registration: token check, request body, recognition,
// face library, reply.
#include <string_view>

#include "service/Clock.h"
#include "service/EndpointReply.h"
#include "service/FaceLibrary.h"
#include "service/TokenStore.h"
#include "service/recognition/FaceRecognizer.h"

namespace vantorel::service {

class FaceEndpoints {
 public:
  FaceEndpoints(TokenStore& tokens, FaceLibrary& library, const FaceRecognizer& recognizer, Clock clock)
      : tokens_(tokens), library_(library), recognizer_(recognizer), clock_(std::move(clock)) {}

  EndpointReply Search(std::string_view accessToken, std::string_view body);
  EndpointReply AddUser(std::string_view accessToken, std::string_view body);

 private:
  TokenStore& tokens_;
  FaceLibrary& library_;
  const FaceRecognizer& recognizer_;
  Clock clock_;
};

}  // namespace vantorel::service
