#pragma once
// One line per request: time, method, path (never the query, which carries
// tokens and secrets), HTTP status, error code and milliseconds taken.
#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace vantorel::service {

using LogSink = std::function<void(std::string_view line)>;

// Writes each line to stderr in one piece.
LogSink StandardErrorSink();

class RequestLog {
 public:
  explicit RequestLog(LogSink sink) : sink_(std::move(sink)) {}

  // Each request runs start to end on one thread; these note its start and
  // its outcome there until Finish writes the line.
  void Begin();
  void NoteOutcome(std::string outcome);
  void Finish(std::string_view method, std::string_view path, int status);

  // e.g. "2024-05-01T08:00:00Z POST /rest/2.0/face/v3/search 200 error_code=0 12ms"
  static std::string FormatLine(std::chrono::system_clock::time_point when, std::string_view method,
                                std::string_view path, int status, std::string_view outcome, long long milliseconds);

 private:
  LogSink sink_;
};

}  // namespace vantorel::service
