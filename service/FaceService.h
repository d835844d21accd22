#pragma once
// The whole local face service: data folder, certificates, database,
// recognizer and the HTTPS server with its routes.
#include <atomic>
#include <memory>
#include <string>

#include "service/Clock.h"
#include "service/RequestLog.h"
#include "service/ServiceSettings.h"
#include "service/TokenStore.h"

namespace vantorel::service {

class FaceService {
 public:
  // Creates the data folder, its certificates and database as needed.
  // Nothing on failure, with the reason in `error`.
  static std::unique_ptr<FaceService> Create(const ServiceSettings& settings, std::string& error,
                                             Clock clock = SystemClock(), LogSink log = StandardErrorSink());
  ~FaceService();
  FaceService(const FaceService&) = delete;
  FaceService& operator=(const FaceService&) = delete;

  // Binds the listening socket; the port is known from then on.
  bool Bind(std::string& error);
  int port() const { return port_; }
  // Serves until Stop; call after Bind.
  void Run();
  // Safe from any thread; makes Run return.
  void Stop();

  const std::string& caCertificatePath() const { return caCertificatePath_; }
  // The token store, for tests that plant tokens.
  TokenStore& tokens();

 private:
  struct Parts;
  FaceService(ServiceSettings settings, std::unique_ptr<Parts> parts, std::string caCertificatePath);

  ServiceSettings settings_;
  std::unique_ptr<Parts> parts_;
  std::string caCertificatePath_;
  int port_ = 0;
  std::atomic<bool> running_ = false;
  std::atomic<bool> stopRequested_ = false;
};

}  // namespace vantorel::service
