#include "service/recognition/FaceRecognizer.h"
#include "service/recognition/FingerprintRecognizer.h"

namespace vantorel::service {

// The fingerprint recognizer needs no weights, so `modelDir` goes unused.
std::unique_ptr<FaceRecognizer> CreateFaceRecognizer(const std::string& /*modelDir*/) {
  return std::make_unique<FingerprintRecognizer>();
}

}  // namespace vantorel::service
