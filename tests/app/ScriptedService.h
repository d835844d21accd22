#pragma once
// The shared recording server standing in for the face service: each path
// is answered with the reply the test scripted for it (an empty 200 reply
// until then), and every request is kept.
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "support/RecordingServer.h"

namespace vantorel {

inline constexpr char kTokenPath[] = "/oauth/2.0/token";
inline constexpr char kSearchPath[] = "/rest/2.0/face/v3/search";
inline constexpr char kRegistrationPath[] = "/rest/2.0/face/v3/faceset/user/add";

class ScriptedService {
 public:
  ScriptedService();

  // "http://127.0.0.1:<port>"
  std::string baseAddress() const { return server_.Url(""); }

  // The reply to every later request for `path` (without query).
  void SetReply(const std::string& path, test::ScriptedReply reply);
  // A JSON body with status 200.
  void SetJsonReply(const std::string& path, std::string_view body);

  std::vector<test::RecordedRequest> requests() const { return server_.Requests(); }

 private:
  test::ScriptedReply Answer(const test::RecordedRequest& request) const;

  mutable std::mutex mutex_;
  std::map<std::string, test::ScriptedReply> replies_;
  test::RecordingServer server_;
};

}  // namespace vantorel
