#pragma once
// What the face service needs from face recognition: a picture in, the
// largest face's descriptor and place out, and a score for two descriptors.
#include <memory>
#include <string>
#include <vector>

#include "base/Text.h"

namespace vantorel::service {

using Descriptor = std::vector<float>;

struct FaceLocation {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  int rotation = 0;  // degrees, clockwise
};

// The request's quality_control: how sharp a face must be to be accepted.
enum class QualityControl { None, Low, Normal, High };

enum class FaceStatus { Found, Undecodable, NoFace, TooBlurred };

struct FaceDescription {
  FaceStatus status = FaceStatus::Undecodable;
  Descriptor descriptor;  // set when status is Found
  FaceLocation location;  // set when status is Found
};

class FaceRecognizer {
 public:
  virtual ~FaceRecognizer() = default;
  // Safe to call from several threads at once.
  virtual FaceDescription Describe(const Bytes& picture, QualityControl quality) const = 0;
  virtual double Distance(const Descriptor& a, const Descriptor& b) const = 0;
  // 0 to 100, falling as the distance grows.
  virtual double Score(double distance) const = 0;
  // Two descriptors closer than this are the same face registered again.
  virtual double SameFaceDistance() const = 0;
};

// The recognizer the service runs with; `modelDir` holds its weights.
std::unique_ptr<FaceRecognizer> CreateFaceRecognizer(const std::string& modelDir);

}  // namespace vantorel::service
