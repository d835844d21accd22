#pragma once
// A real face service on a free loopback port with a throw-away data
// folder, and an HTTPS client that trusts only the service's own CA.
#include <httplib.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "service/FaceService.h"
#include "service/JsonValue.h"
#include "support/TestEnvironment.h"

namespace vantorel::service::testing {

using test::TemporaryDirectory;

struct Reply {
  int status = 0;  // 0 when no reply came
  std::string body;
  std::optional<JsonValue> json;

  // The reply's "error_code", or -1 when it has none.
  long long errorCode() const;
  // The text of a string member of "result", empty when there is none.
  std::string resultText(std::string_view name) const;
};

struct Client {
  std::unique_ptr<httplib::SSLClient> http;

  Reply Get(const std::string& pathAndQuery);
  Reply Post(const std::string& pathAndQuery, const std::string& body,
             const std::string& contentType = "application/json");
};

Client MakeClient(int port, const std::string& caCertificate);

// The token query of the built-in client, with `grantType`.
std::string TokenQuery(const std::string& grantType = "client_credentials");

class RunningService {
 public:
  // Starts on 127.0.0.1 with a free port and the build's face recognition
  // weights; `dataDir` is made when missing.
  explicit RunningService(const std::string& dataDir);
  ~RunningService();

  bool started() const { return service_ != nullptr; }
  const std::string& startError() const { return error_; }
  int port() const { return service_->port(); }
  FaceService& service() { return *service_; }

  Client NewClient() const;
  // A fresh token from the token endpoint.
  std::string AccessToken();

  // Moves the service's clock; tokens age accordingly.
  void AdvanceClock(std::int64_t seconds) { clockOffset_->fetch_add(seconds); }
  std::int64_t Now() const;

  // The log lines so far, waiting a while for at least `atLeast` of them:
  // a request's line is written just after its reply.
  std::vector<std::string> LogLines(std::size_t atLeast = 0) const;

 private:
  std::shared_ptr<std::atomic<std::int64_t>> clockOffset_ = std::make_shared<std::atomic<std::int64_t>>(0);
  struct Log {
    std::mutex mutex;
    std::vector<std::string> lines;
  };
  std::shared_ptr<Log> log_ = std::make_shared<Log>();
  std::string error_;
  std::unique_ptr<FaceService> service_;
  std::thread thread_;
};

// The whole file, empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// A JSON request body from member/value pairs, written compactly.
std::string JsonBody(const std::vector<std::pair<std::string, std::string>>& members);

inline const char* kSearchPath = "/rest/2.0/face/v3/search?access_token=";
inline const char* kAddPath = "/rest/2.0/face/v3/faceset/user/add?access_token=";

}  // namespace vantorel::service::testing
