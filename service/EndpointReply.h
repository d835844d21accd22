#pragma once
// What an endpoint answers, before it goes on the wire.
#include <string>

namespace vantorel::service {

struct EndpointReply {
  int httpStatus = 200;
  std::string body;     // JSON
  std::string outcome;  // for the log: the error code or OAuth error, "0" when all went well
};

}  // namespace vantorel::service
