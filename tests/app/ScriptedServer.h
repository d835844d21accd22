#pragma once
// A face service on 127.0.0.1 over plain HTTP that answers each endpoint with
// the reply text the test gives it and records the requests it receives.
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/Text.h"

namespace httplib {
class Server;
}

namespace vantorel {

class ScriptedServer {
 public:
  ScriptedServer();
  ~ScriptedServer();

  Text baseAddress() const;

  // Reply bodies, sent with status 200 and the content type application/json.
  void SetTokenReply(std::string body);
  void SetSearchReply(std::string body);
  void SetRegistrationReply(std::string body);

  struct Request {
    std::string path;   // without the query
    std::string query;  // the raw query string
    std::string body;
  };
  std::vector<Request> requests() const;

 private:
  void Answer(const std::string& path, const std::string* reply);

  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  int port_ = 0;
  mutable std::mutex mutex_;
  std::string tokenReply_;
  std::string searchReply_;
  std::string registrationReply_;
  std::vector<Request> requests_;
};

}  // namespace vantorel
