#include "NeuralFaceRecognizer.h"

#include <algorithm>
#include <cmath>

#include "DescriptorSearch.h"
#include "FaceAligner.h"
#include "Sharpness.h"

namespace vantorel::service {
namespace {

// Least sharpness (see FaceSharpness) a face needs at each quality level.
// Measured on the sample faces (about 250 px wide): sharp photos 0.147 to
// 0.596; darkened with a slight blur (sigma 1.5 px) 0.113 to 0.257; blurred
// with sigma 4 px 0.068 to 0.152, with sigma 6 px 0.076 to 0.112.
double MinSharpness(QualityControl quality) {
  switch (quality) {
    case QualityControl::None: return 0;
    case QualityControl::Low: return 0.05;
    case QualityControl::Normal: return 0.12;
    case QualityControl::High: return 0.16;
  }
  return 0;
}

const FaceBox& LargestFace(const std::vector<FaceBox>& faces) {
  return *std::max_element(faces.begin(), faces.end(), [](const FaceBox& a, const FaceBox& b) {
    return a.width * a.height < b.width * b.height;
  });
}

FaceLocation ClippedLocation(const FaceBox& box, const RgbImage& picture, double rotation) {
  const double left = std::clamp(box.left, 0.0, static_cast<double>(picture.width));
  const double top = std::clamp(box.top, 0.0, static_cast<double>(picture.height));
  const double right = std::clamp(box.left + box.width, left, static_cast<double>(picture.width));
  const double bottom = std::clamp(box.top + box.height, top, static_cast<double>(picture.height));
  return {left, top, right - left, bottom - top, static_cast<int>(std::lround(rotation))};
}

}  // namespace

NeuralFaceRecognizer::NeuralFaceRecognizer(const std::string& modelDir) {
  auto detector = FaceDetector::Load(modelDir);
  auto landmarks = LandmarkNet::Load(modelDir);
  auto descriptor = DescriptorNet::Load(modelDir);
  if (detector && landmarks && descriptor)
    nets_ = Nets{std::move(*detector), std::move(*landmarks), std::move(*descriptor)};
}

FaceDescription NeuralFaceRecognizer::Describe(const Bytes& picture, QualityControl quality) const {
  const auto decoded = DecodePicture(picture);
  if (!decoded) return {FaceStatus::Undecodable, {}, {}};
  return DescribeImage(*decoded, quality);
}

FaceDescription NeuralFaceRecognizer::DescribeImage(const RgbImage& picture, QualityControl quality) const {
  if (!nets_) return {FaceStatus::NoFace, {}, {}};
  const std::vector<FaceBox> faces = nets_->detector.Detect(picture);
  if (faces.empty()) return {FaceStatus::NoFace, {}, {}};
  const FaceBox& face = LargestFace(faces);

  // The landmark net sees a square around the box.
  const double side = std::max(face.width, face.height);
  const Landmarks landmarks = nets_->landmarks.Locate(picture, face.left + (face.width - side) / 2,
                                                      face.top + (face.height - side) / 2, side);
  const AlignedFace aligned = AlignFace(picture, landmarks);
  if (FaceSharpness(aligned.chip) < MinSharpness(quality)) return {FaceStatus::TooBlurred, {}, {}};
  return {FaceStatus::Found, nets_->descriptor.Describe(aligned.chip),
          ClippedLocation(face, picture, aligned.rotationDegrees)};
}

double NeuralFaceRecognizer::Distance(const Descriptor& a, const Descriptor& b) const {
  return DescriptorDistance(a, b);
}

// Distance to score, linear between these points. Calibrated on the 22 faces
// of the sample photos and altered copies of each (shrunk to half with JPEG
// quality 30, darkened and slightly blurred, rotated 12 degrees, mirrored):
// a copy lies at most 0.342 from its own face (faces of at least 200 px),
// and at least 0.393 from every other person; different people's originals
// are at least 0.453 apart. 80, the client's threshold for a match, sits at
// 0.37 between the two.
double NeuralFaceRecognizer::Score(double distance) const {
  struct Knot {
    double distance;
    double score;
  };
  constexpr Knot kKnots[] = {{0.0, 100}, {0.37, 80}, {0.6, 40}, {1.0, 0}};
  if (std::isnan(distance)) return 0;
  if (distance <= 0) return 100;
  for (std::size_t i = 1; i < std::size(kKnots); ++i)
    if (distance <= kKnots[i].distance) {
      const Knot& from = kKnots[i - 1];
      const Knot& to = kKnots[i];
      return from.score + (to.score - from.score) * (distance - from.distance) / (to.distance - from.distance);
    }
  return 0;
}

// The same photo again, even re-encoded or rescaled, stays under 0.11 on the
// samples; another photo of the person is normally further away.
double NeuralFaceRecognizer::SameFaceDistance() const { return 0.12; }

}  // namespace vantorel::service
