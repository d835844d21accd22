#include "support/RecordingServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "support/TestCertificateAuthority.h"

namespace vantorel::test {

namespace {

constexpr std::size_t kLargestRequestHead = 1024 * 1024;

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

std::string LowerCopy(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
  return lower;
}

std::size_t ContentLengthOf(const std::string& head) {
  std::string lower = LowerCopy(head);
  std::size_t at = lower.find("\r\ncontent-length:");
  if (at == std::string::npos) return 0;
  return static_cast<std::size_t>(std::strtoull(head.c_str() + at + 17, nullptr, 10));
}

std::string PathOf(const RecordedRequest& request) {
  std::string line = request.RequestLine();
  std::size_t start = line.find(' ');
  std::size_t end = line.find(' ', start + 1);
  if (start == std::string::npos || end == std::string::npos) return {};
  return line.substr(start + 1, end - start - 1);
}

}  // namespace

// One accepted socket, plain or TLS.
struct RecordingServer::Connection {
  int socket = -1;
  SSL* ssl = nullptr;

  ~Connection() {
    if (ssl) SSL_free(ssl);
    if (socket >= 0) close(socket);
  }
  long Receive(char* buffer, std::size_t size) {
    if (ssl) return SSL_read(ssl, buffer, static_cast<int>(size));
    return recv(socket, buffer, size, 0);
  }
  bool SendAll(const char* data, std::size_t size) {
    while (size > 0) {
      long sent = ssl ? SSL_write(ssl, data, static_cast<int>(size)) : send(socket, data, size, MSG_NOSIGNAL);
      if (sent <= 0) return false;
      data += sent;
      size -= static_cast<std::size_t>(sent);
    }
    return true;
  }
};

std::string RecordedRequest::RequestLine() const { return head.substr(0, head.find("\r\n")); }

std::string RecordedRequest::HeaderBlock() const {
  std::size_t end = head.find("\r\n");
  return end == std::string::npos ? std::string() : head.substr(end + 2);
}

bool RecordedRequest::HasHeaderLine(std::string_view line) const {
  return head.find("\r\n" + std::string(line) + "\r\n") != std::string::npos;
}

int RecordedRequest::CountHeaders(std::string_view name) const {
  std::string key = "\r\n" + std::string(name) + ":";
  int count = 0;
  for (std::size_t at = head.find(key); at != std::string::npos; at = head.find(key, at + key.size())) ++count;
  return count;
}

ScriptedReply ScriptedReply::Status(int code, std::string_view reason, std::string_view extraHeaders,
                                    std::string_view body) {
  ScriptedReply reply;
  reply.bytes = "HTTP/1.1 " + std::to_string(code) + " " + std::string(reason) + "\r\n" +
                std::string(extraHeaders) + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" +
                std::string(body);
  return reply;
}

ScriptedReply ScriptedReply::Ok(std::string_view body, std::string_view extraHeaders) {
  return Status(200, "OK", extraHeaders, body);
}

ScriptedReply ScriptedReply::Raw(std::string_view bytes, Ending ending) {
  ScriptedReply reply;
  reply.bytes = bytes;
  reply.ending = ending;
  return reply;
}

ScriptedReply ScriptedReply::Never() {
  ScriptedReply reply;
  reply.ending = Ending::Hang;
  return reply;
}

RecordingServer::RecordingServer(Responder responder, const TestCertificateAuthority* tls)
    : responder_(std::move(responder)), tls_(tls) {
  signal(SIGPIPE, SIG_IGN);  // a client that hangs up must not end the test run
  listener_ = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 64) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::runtime_error("test server cannot listen on 127.0.0.1");
  }
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread([this] { AcceptLoop(); });
}

RecordingServer::~RecordingServer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    for (auto& connection : connections_) shutdown(connection->socket, SHUT_RDWR);
  }
  stopped_.notify_all();
  shutdown(listener_, SHUT_RDWR);
  acceptor_.join();
  for (std::thread& worker : workers_) worker.join();
  close(listener_);
}

std::string RecordingServer::Url(std::string_view pathAndQuery) const {
  return std::string(tls_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_) + std::string(pathAndQuery);
}

std::vector<RecordedRequest> RecordingServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void RecordingServer::ForgetRequests() {
  std::lock_guard lock(mutex_);
  requests_.clear();
}

int RecordingServer::ConnectionCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(connections_.size());
}

void RecordingServer::AcceptLoop() {
  for (;;) {
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    int socket = accept(listener_, reinterpret_cast<sockaddr*>(&peer), &length);
    std::lock_guard lock(mutex_);
    if (socket < 0 || stopping_) {
      if (socket >= 0) close(socket);
      return;
    }
    auto connection = std::make_unique<Connection>();
    connection->socket = socket;
    Connection& accepted = *connection;
    int index = static_cast<int>(connections_.size());
    connections_.push_back(std::move(connection));
    unsigned short clientPort = ntohs(peer.sin_port);
    workers_.emplace_back([this, &accepted, index, clientPort] { Serve(accepted, index, clientPort); });
  }
}

void RecordingServer::Serve(Connection& connection, int index, unsigned short clientPort) {
  if (tls_) {
    connection.ssl = SSL_new(tls_->serverContext());
    SSL_set_fd(connection.ssl, connection.socket);
    if (SSL_accept(connection.ssl) != 1) return;
  }
  std::string received;
  char buffer[16384];
  for (;;) {
    std::size_t headEnd;
    while ((headEnd = received.find("\r\n\r\n")) == std::string::npos) {
      if (received.size() > kLargestRequestHead) return;
      long count = connection.Receive(buffer, sizeof buffer);
      if (count <= 0) return;
      received.append(buffer, static_cast<std::size_t>(count));
    }
    RecordedRequest request;
    request.head = received.substr(0, headEnd + 4);
    std::size_t bodyLength = ContentLengthOf(request.head);
    while (received.size() < headEnd + 4 + bodyLength) {
      long count = connection.Receive(buffer, sizeof buffer);
      if (count <= 0) return;
      received.append(buffer, static_cast<std::size_t>(count));
    }
    request.body = received.substr(headEnd + 4, bodyLength);
    received.erase(0, headEnd + 4 + bodyLength);
    request.connection = index;
    request.clientPort = clientPort;
    {
      std::lock_guard lock(mutex_);
      requests_.push_back(request);
    }
    ScriptedReply reply = responder_(request);
    if (!SendReply(connection, reply) || reply.ending == ScriptedReply::Ending::Close) break;
    if (reply.ending == ScriptedReply::Ending::Hang) {
      WaitUntilStopping();
      break;
    }
  }
  if (connection.ssl) SSL_shutdown(connection.ssl);
  shutdown(connection.socket, SHUT_RDWR);
}

bool RecordingServer::SendReply(Connection& connection, const ScriptedReply& reply) {
  if (reply.trickleDelay.count() > 0) {
    for (char byte : reply.bytes) {
      {
        std::unique_lock lock(mutex_);
        if (stopped_.wait_for(lock, reply.trickleDelay, [this] { return stopping_; })) return false;
      }
      if (!connection.SendAll(&byte, 1)) return false;
    }
  } else if (!connection.SendAll(reply.bytes.data(), reply.bytes.size())) {
    return false;
  }
  const std::string filler(64 * 1024, 'x');
  for (std::size_t left = reply.fillerLength; left > 0;) {
    std::size_t chunk = std::min(left, filler.size());
    if (!connection.SendAll(filler.data(), chunk)) return false;
    left -= chunk;
  }
  return true;
}

void RecordingServer::WaitUntilStopping() {
  std::unique_lock lock(mutex_);
  stopped_.wait(lock, [this] { return stopping_; });
}

Responder RoutesTo(std::vector<std::pair<std::string, ScriptedReply>> routes) {
  return [routes = std::move(routes)](const RecordedRequest& request) {
    std::string path = PathOf(request);
    for (const auto& [route, reply] : routes) {
      if (route == path) return reply;
    }
    return ScriptedReply::Status(404, "Not Found");
  };
}

Responder Always(ScriptedReply reply) {
  return [reply = std::move(reply)](const RecordedRequest&) { return reply; };
}

}  // namespace vantorel::test
