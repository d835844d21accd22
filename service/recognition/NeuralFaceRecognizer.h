#pragma once
// Face recognition with neural nets: the largest face of a picture is found,
// its 68 landmarks located, the face cut out upright, and described by 128
// numbers; faces of the same person lie close together.
#include <optional>
#include <string>

#include "DescriptorNet.h"
#include "FaceDetector.h"
#include "FaceRecognizer.h"
#include "LandmarkNet.h"

namespace vantorel::service {

class NeuralFaceRecognizer : public FaceRecognizer {
 public:
  // Loads the three nets' weights from `modelDir`; see Loaded().
  explicit NeuralFaceRecognizer(const std::string& modelDir);

  // False when a net's weights were missing or unreadable; every picture then
  // gives NoFace.
  bool Loaded() const { return nets_.has_value(); }

  FaceDescription Describe(const Bytes& picture, QualityControl quality) const override;
  FaceDescription DescribeImage(const RgbImage& picture, QualityControl quality) const;
  double Distance(const Descriptor& a, const Descriptor& b) const override;
  double Score(double distance) const override;
  double SameFaceDistance() const override;

 private:
  struct Nets {
    FaceDetector detector;
    LandmarkNet landmarks;
    DescriptorNet descriptor;
  };
  std::optional<Nets> nets_;
};

}  // namespace vantorel::service
