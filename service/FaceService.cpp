#include "service/FaceService.h"

#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <cstring>

#include "service/Certificates.h"
#include "service/Database.h"
#include "service/FaceEndpoints.h"
#include "service/FaceLibrary.h"
#include "service/ServiceRoutes.h"
#include "service/TokenEndpoint.h"
#include "service/recognition/FaceRecognizer.h"

namespace vantorel::service {

struct FaceService::Parts {
  Parts(std::unique_ptr<Database> database, std::unique_ptr<FaceRecognizer> faceRecognizer, Clock clock,
        LogSink sink, const CertificateFiles& certificates)
      : db(std::move(database)),
        tokens(*db),
        library(*db),
        recognizer(std::move(faceRecognizer)),
        tokenEndpoint(tokens, clock),
        faceEndpoints(tokens, library, *recognizer, clock),
        log(std::move(sink)),
        server(certificates.serverCertificate.c_str(), certificates.serverKey.c_str()) {}

  std::unique_ptr<Database> db;
  TokenStore tokens;
  FaceLibrary library;
  std::unique_ptr<FaceRecognizer> recognizer;
  TokenEndpoint tokenEndpoint;
  FaceEndpoints faceEndpoints;
  RequestLog log;
  httplib::SSLServer server;
};

namespace {

// Creates `path` and its missing parents; new folders are private to the user.
bool MakeFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string prefix = path.substr(0, slash);
    if (!prefix.empty() && ::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}

}  // namespace

std::unique_ptr<FaceService> FaceService::Create(const ServiceSettings& settings, std::string& error, Clock clock,
                                                 LogSink log) {
  // First, so that a service that cannot start leaves no data folder behind.
  auto recognizer = CreateFaceRecognizer(settings.modelDir);
  if (!recognizer) {
    error = "cannot load the face recognition weights from " + settings.modelDir +
            " (run scripts/fetch-face-models.sh, or name their folder with --models)";
    return nullptr;
  }
  if (settings.dataDir.empty() || !MakeFolders(settings.dataDir)) {
    error = "cannot create the data folder " + settings.dataDir + ": " + std::strerror(errno);
    return nullptr;
  }
  const auto certificates = PrepareCertificates(settings.dataDir, error);
  if (!certificates) return nullptr;
  auto db = Database::Open(settings.dataDir + "/faces.db", error);
  if (!db) return nullptr;
  auto parts = std::make_unique<Parts>(std::move(db), std::move(recognizer), std::move(clock), std::move(log),
                                       *certificates);
  if (!parts->server.is_valid()) {
    error = "cannot set up TLS with " + certificates->serverCertificate;
    return nullptr;
  }
  InstallRoutes(parts->server, parts->tokenEndpoint, parts->faceEndpoints, parts->log);
  return std::unique_ptr<FaceService>(new FaceService(settings, std::move(parts), certificates->caCertificate));
}

FaceService::FaceService(ServiceSettings settings, std::unique_ptr<Parts> parts, std::string caCertificatePath)
    : settings_(std::move(settings)), parts_(std::move(parts)), caCertificatePath_(std::move(caCertificatePath)) {}

FaceService::~FaceService() { Stop(); }

bool FaceService::Bind(std::string& error) {
  httplib::Server& server = parts_->server;
  if (settings_.port == 0) {
    port_ = server.bind_to_any_port(settings_.host);
  } else if (server.bind_to_port(settings_.host, settings_.port)) {
    port_ = settings_.port;
  }
  if (port_ <= 0) {
    port_ = 0;
    error = "cannot listen on " + settings_.host + ":" + std::to_string(settings_.port);
    return false;
  }
  return true;
}

void FaceService::Run() {
  running_ = true;
  if (!stopRequested_) parts_->server.listen_after_bind();
  running_ = false;
}

// A stop that came before the server was up would be lost, so wait for it
// to come up first.
void FaceService::Stop() {
  stopRequested_ = true;
  while (running_ && !parts_->server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  parts_->server.stop();
}

TokenStore& FaceService::tokens() { return parts_->tokens; }

}  // namespace vantorel::service
