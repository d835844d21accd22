#include "service/RequestLog.h"

#include <unistd.h>

#include <ctime>
#include <optional>

namespace vantorel::service {
namespace {

struct RequestInProgress {
  std::optional<std::chrono::steady_clock::time_point> start;
  std::string outcome;
};

thread_local RequestInProgress current;

constexpr std::size_t kMaxLoggedPath = 200;

// Control characters and bytes outside ASCII could forge or garble lines.
std::string Printable(std::string_view text) {
  std::string out;
  for (char c : text.substr(0, kMaxLoggedPath)) out += (c > 0x20 && c < 0x7F) ? c : '?';
  return out.empty() ? "-" : out;
}

}  // namespace

LogSink StandardErrorSink() {
  return [](std::string_view line) {
    std::string whole(line);
    whole += '\n';
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, whole.data(), whole.size());
  };
}

void RequestLog::Begin() {
  current.start = std::chrono::steady_clock::now();
  current.outcome.clear();
}

void RequestLog::NoteOutcome(std::string outcome) { current.outcome = std::move(outcome); }

void RequestLog::Finish(std::string_view method, std::string_view path, int status) {
  const auto now = std::chrono::steady_clock::now();
  const long long milliseconds =
      current.start ? std::chrono::duration_cast<std::chrono::milliseconds>(now - *current.start).count() : 0;
  sink_(FormatLine(std::chrono::system_clock::now(), method, path, status,
                   current.outcome.empty() ? std::string_view("-") : current.outcome, milliseconds));
  current = {};
}

std::string RequestLog::FormatLine(std::chrono::system_clock::time_point when, std::string_view method,
                                   std::string_view path, int status, std::string_view outcome,
                                   long long milliseconds) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return std::string(stamp) + ' ' + Printable(method) + ' ' + Printable(path) + ' ' + std::to_string(status) +
         " error_code=" + Printable(outcome) + ' ' + std::to_string(milliseconds) + "ms";
}

}  // namespace vantorel::service
