#include "service/recognition/FaceRecognizer.h"
#include "service/recognition/NeuralFaceRecognizer.h"

namespace vantorel::service {

// Nothing when the weights in `modelDir` are missing or unusable: a service
// that cannot see faces must not start and answer "no face" to everything.
std::unique_ptr<FaceRecognizer> CreateFaceRecognizer(const std::string& modelDir) {
  auto recognizer = std::make_unique<NeuralFaceRecognizer>(modelDir);
  if (!recognizer->Loaded()) return nullptr;
  return recognizer;
}

}  // namespace vantorel::service
