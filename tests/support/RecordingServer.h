#pragma once
// A raw HTTP/1.1 test server on 127.0.0.1 with a random port. It records the
// exact bytes of every request and answers each with scripted bytes, which
// may trickle, stop half-way, close the connection or never come. With a
// TestCertificateAuthority it speaks TLS.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace vantorel::test {

class TestCertificateAuthority;

struct RecordedRequest {
  std::string head;  // request line and header lines up to and including the empty line
  std::string body;  // as many bytes as the Content-Length announced
  int connection = 0;             // 0 for the first connection the server accepted, and so on
  unsigned short clientPort = 0;  // the client's port of that connection

  std::string RequestLine() const;  // without its CR LF
  // The head without the request line: the header lines and the empty line.
  std::string HeaderBlock() const;
  // The head holds this exact header line (without its CR LF).
  bool HasHeaderLine(std::string_view line) const;
  // How many header lines start with this name and a colon, letter case as given.
  int CountHeaders(std::string_view name) const;
};

struct ScriptedReply {
  enum class Ending { KeepOpen, Close, Hang };

  std::string bytes;
  std::size_t fillerLength = 0;  // this many 'x' bytes follow `bytes`, streamed
  std::chrono::milliseconds trickleDelay{0};  // when set, `bytes` goes out one byte per pause
  Ending ending = Ending::KeepOpen;

  // "HTTP/1.1 <code> <reason>", the extra header lines (each ended by CR LF),
  // a Content-Length of the body, the empty line and the body.
  static ScriptedReply Status(int code, std::string_view reason, std::string_view extraHeaders = "",
                              std::string_view body = "");
  static ScriptedReply Ok(std::string_view body, std::string_view extraHeaders = "");
  // Exactly these bytes, then the given ending.
  static ScriptedReply Raw(std::string_view bytes, Ending ending = Ending::KeepOpen);
  // Accepts the request and never answers.
  static ScriptedReply Never();
};

using Responder = std::function<ScriptedReply(const RecordedRequest&)>;

class RecordingServer {
 public:
  explicit RecordingServer(Responder responder, const TestCertificateAuthority* tls = nullptr);
  RecordingServer(const RecordingServer&) = delete;
  RecordingServer& operator=(const RecordingServer&) = delete;
  ~RecordingServer();

  unsigned short port() const { return port_; }
  // "http://127.0.0.1:<port>" (or https) followed by the path and query.
  std::string Url(std::string_view pathAndQuery = "/") const;
  std::vector<RecordedRequest> Requests() const;
  void ForgetRequests();
  int ConnectionCount() const;

 private:
  struct Connection;

  void AcceptLoop();
  void Serve(Connection& connection, int index, unsigned short clientPort);
  bool SendReply(Connection& connection, const ScriptedReply& reply);
  void WaitUntilStopping();

  Responder responder_;
  const TestCertificateAuthority* tls_;
  int listener_ = -1;
  unsigned short port_ = 0;

  mutable std::mutex mutex_;
  std::condition_variable stopped_;
  bool stopping_ = false;
  std::vector<RecordedRequest> requests_;
  std::vector<std::unique_ptr<Connection>> connections_;
  std::vector<std::thread> workers_;
  std::thread acceptor_;
};

// A reply that the responder picks by request path: "/a" -> reply. Unknown
// paths get 404.
Responder RoutesTo(std::vector<std::pair<std::string, ScriptedReply>> routes);
// The same reply for every request.
Responder Always(ScriptedReply reply);

}  // namespace vantorel::test
