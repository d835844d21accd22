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

Point Mean(const Landmarks& landmarks, int first, int end) {
  Point sum;
  for (int i = first; i < end; ++i) sum = {sum.x + landmarks[i].x, sum.y + landmarks[i].y};
  return {sum.x / (end - first), sum.y / (end - first)};
}

// A square of `side` centred on the landmarks and turned with the line
// between the eyes (landmarks 36-41 and 42-47).
Square UprightSquare(const Landmarks& landmarks, double side) {
  const Point centre = Mean(landmarks, 0, kLandmarkCount);
  const Point leftEye = Mean(landmarks, 36, 42);
  const Point rightEye = Mean(landmarks, 42, 48);
  return {centre.x, centre.y, side, std::atan2(rightEye.y - leftEye.y, rightEye.x - leftEye.x)};
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

  // The landmark net sees a square around the box, and then once more a
  // square of the same size centred on what it found and turned as the eyes
  // are: the detector's boxes sit a little off the face, differently in each
  // copy of a picture, and the net places points worse on tilted faces.
  const double side = std::max(face.width, face.height);
  const Landmarks rough = nets_->landmarks.Locate(
      picture, Square{face.left + face.width / 2, face.top + face.height / 2, side, 0});
  const Landmarks landmarks = nets_->landmarks.Locate(picture, UprightSquare(rough, side));
  const AlignedFace aligned = AlignFace(picture, landmarks);
  if (FaceSharpness(aligned.chip) < MinSharpness(quality)) return {FaceStatus::TooBlurred, {}, {}};
  return {FaceStatus::Found, nets_->descriptor.Describe(aligned.chip),
          ClippedLocation(face, picture, aligned.rotationDegrees)};
}

double NeuralFaceRecognizer::Distance(const Descriptor& a, const Descriptor& b) const {
  return DescriptorDistance(a, b);
}

// Distance to score, linear between these points. Calibrated on the 22 faces
// of the sample photos, each cut out on its own, and four altered copies of
// each (shrunk to half with JPEG quality 30, darkened and slightly blurred,
// rotated 12 degrees, mirrored): a copy lies at most 0.321 from its own face
// and at least 0.408 from every other person; different people's originals
// are at least 0.454 apart. 80, the client's threshold for a match, sits at
// 0.365, halfway between the first two.
double NeuralFaceRecognizer::Score(double distance) const {
  struct Knot {
    double distance;
    double score;
  };
  constexpr Knot kKnots[] = {{0.0, 100}, {0.365, 80}, {0.6, 40}, {1.0, 0}};
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

// The same picture again, even re-encoded (JPEG quality 90), stays within
// 0.06 of itself on the samples. Copies turned by a few degrees can come as
// close; another photo of the person is normally further away.
double NeuralFaceRecognizer::SameFaceDistance() const { return 0.1; }

}  // namespace vantorel::service
