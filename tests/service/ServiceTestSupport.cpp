#include "service/ServiceTestSupport.h"

#include <chrono>
#include <fstream>
#include <sstream>

#include "service/ClientCredentials.h"
#include "service/JsonWriter.h"

namespace vantorel::service::testing {

long long Reply::errorCode() const {
  const JsonValue* code = json ? json->Find("error_code") : nullptr;
  return code && code->isNumber() ? static_cast<long long>(code->number()) : -1;
}

std::string Reply::resultText(std::string_view name) const {
  const JsonValue* result = json ? json->Find("result") : nullptr;
  const JsonValue* value = result ? result->Find(name) : nullptr;
  return value && value->isString() ? value->text() : std::string();
}

namespace {

Reply ToReply(const httplib::Result& result) {
  Reply reply;
  if (!result) return reply;
  reply.status = result->status;
  reply.body = result->body;
  reply.json = ParseJson(reply.body);
  return reply;
}

}  // namespace

Reply Client::Get(const std::string& pathAndQuery) { return ToReply(http->Get(pathAndQuery.c_str())); }

Reply Client::Post(const std::string& pathAndQuery, const std::string& body, const std::string& contentType) {
  return ToReply(http->Post(pathAndQuery.c_str(), body, contentType.c_str()));
}

Client MakeClient(int port, const std::string& caCertificate) {
  Client client{std::make_unique<httplib::SSLClient>("127.0.0.1", port)};
  client.http->set_ca_cert_path(caCertificate.c_str());
  client.http->enable_server_certificate_verification(true);
  client.http->set_read_timeout(60, 0);
  client.http->set_write_timeout(60, 0);
  return client;
}

std::string TokenQuery(const std::string& grantType) {
  return "/oauth/2.0/token?grant_type=" + grantType + "&client_id=" + std::string(kClientId) +
         "&client_secret=" + std::string(kClientSecret);
}

RunningService::RunningService(const std::string& dataDir) {
  ServiceSettings settings;
  settings.port = 0;
  settings.dataDir = dataDir;
  settings.modelDir = VANTOREL_FACE_MODEL_DIR;
  auto offset = clockOffset_;
  Clock clock = [offset, system = SystemClock()] { return system() + offset->load(); };
  auto log = log_;
  LogSink sink = [log](std::string_view line) {
    std::lock_guard lock(log->mutex);
    log->lines.emplace_back(line);
  };
  service_ = FaceService::Create(settings, error_, clock, sink);
  if (service_ && !service_->Bind(error_)) service_.reset();
  if (service_) thread_ = std::thread([this] { service_->Run(); });
}

RunningService::~RunningService() {
  if (!service_) return;
  service_->Stop();
  thread_.join();
}

Client RunningService::NewClient() const { return MakeClient(port(), service_->caCertificatePath()); }

std::string RunningService::AccessToken() {
  const Reply reply = NewClient().Get(TokenQuery());
  const JsonValue* token = reply.json ? reply.json->Find("access_token") : nullptr;
  return token && token->isString() ? token->text() : std::string();
}

std::int64_t RunningService::Now() const { return SystemClock()() + clockOffset_->load(); }

std::vector<std::string> RunningService::LogLines(std::size_t atLeast) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (true) {
    {
      std::lock_guard lock(log_->mutex);
      if (log_->lines.size() >= atLeast || std::chrono::steady_clock::now() > deadline) return log_->lines;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string JsonBody(const std::vector<std::pair<std::string, std::string>>& members) {
  JsonWriter json;
  json.BeginObject();
  for (const auto& [name, value] : members) json.Key(name).String(value);
  return json.EndObject().text();
}

}  // namespace vantorel::service::testing
