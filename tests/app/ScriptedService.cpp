#include "ScriptedService.h"

namespace vantorel {

ScriptedService::ScriptedService()
    : server_([this](const test::RecordedRequest& request) { return Answer(request); }) {}

void ScriptedService::SetReply(const std::string& path, test::ScriptedReply reply) {
  std::lock_guard lock(mutex_);
  replies_[path] = std::move(reply);
}

void ScriptedService::SetJsonReply(const std::string& path, std::string_view body) {
  SetReply(path, test::ScriptedReply::Ok(body, "Content-Type: application/json\r\n"));
}

test::ScriptedReply ScriptedService::Answer(const test::RecordedRequest& request) const {
  std::lock_guard lock(mutex_);
  const auto reply = replies_.find(request.Path());
  return reply != replies_.end() ? reply->second : test::ScriptedReply::Ok("");
}

}  // namespace vantorel
