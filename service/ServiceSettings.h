#pragma once
// Where the service listens and keeps its files.
#include <cstddef>
#include <string>

namespace vantorel::service {

struct ServiceSettings {
  std::string host = "127.0.0.1";
  int port = 8443;  // 0: any free port
  std::string dataDir;
  std::string modelDir;
};

// Request bodies above this size are refused with HTTP 413.
inline constexpr std::size_t kMaxBodyBytes = 10 * 1024 * 1024;
inline constexpr std::size_t kWorkerThreads = 8;

}  // namespace vantorel::service
