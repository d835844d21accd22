#pragma once
// A stand-in recognizer that needs no model: it treats the whole picture as
// the face and describes it by a coarse grey-level fingerprint. The same
// picture, even re-encoded or rescaled, scores near 100; unrelated pictures
// score near 0.
#include "service/recognition/FaceRecognizer.h"

namespace vantorel::service {

class FingerprintRecognizer : public FaceRecognizer {
 public:
  // The fingerprint is a kFingerprintSide x kFingerprintSide grid of mean grey levels.
  static constexpr int kFingerprintSide = 16;

  FaceDescription Describe(const Bytes& picture, QualityControl quality) const override;
  double Distance(const Descriptor& a, const Descriptor& b) const override;
  double Score(double distance) const override;
  double SameFaceDistance() const override;
};

}  // namespace vantorel::service
