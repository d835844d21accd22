#include "ScriptedServer.h"

#include <httplib.h>

namespace vantorel {

ScriptedServer::ScriptedServer() : server_(std::make_unique<httplib::Server>()) {
  Answer("/oauth/2.0/token", &tokenReply_);
  Answer("/rest/2.0/face/v3/search", &searchReply_);
  Answer("/rest/2.0/face/v3/faceset/user/add", &registrationReply_);
  port_ = server_->bind_to_any_port("127.0.0.1");
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  while (!server_->is_running()) std::this_thread::yield();
}

ScriptedServer::~ScriptedServer() {
  server_->stop();
  thread_.join();
}

Text ScriptedServer::baseAddress() const { return "http://127.0.0.1:" + std::to_string(port_); }

void ScriptedServer::Answer(const std::string& path, const std::string* reply) {
  auto handler = [this, path, reply](const httplib::Request& request, httplib::Response& response) {
    std::lock_guard lock(mutex_);
    const auto query = request.target.find('?');
    requests_.push_back({path, query == std::string::npos ? "" : request.target.substr(query + 1), request.body});
    response.set_content(*reply, "application/json");
  };
  server_->Get(path, handler);
  server_->Post(path, handler);
}

void ScriptedServer::SetTokenReply(std::string body) {
  std::lock_guard lock(mutex_);
  tokenReply_ = std::move(body);
}

void ScriptedServer::SetSearchReply(std::string body) {
  std::lock_guard lock(mutex_);
  searchReply_ = std::move(body);
}

void ScriptedServer::SetRegistrationReply(std::string body) {
  std::lock_guard lock(mutex_);
  registrationReply_ = std::move(body);
}

std::vector<ScriptedServer::Request> ScriptedServer::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

}  // namespace vantorel
