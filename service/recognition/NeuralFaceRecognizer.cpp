#include "NeuralFaceRecognizer.h"

#include <algorithm>
#include <cmath>

#include "DescriptorSearch.h"
#include "FaceAligner.h"
#include "Sharpness.h"

namespace vantorel::service {
namespace {

// Least sharpness (see FaceSharpness) a face needs at each quality level.
double MinSharpness(QualityControl quality) {
  switch (quality) {
    case QualityControl::None: return 0;
    case QualityControl::Low: return 0.10;
    case QualityControl::Normal: return 0.15;
    case QualityControl::High: return 0.25;
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

double NeuralFaceRecognizer::Score(double distance) const {
  return std::clamp(100 - distance * 50, 0.0, 100.0);
}

double NeuralFaceRecognizer::SameFaceDistance() const { return 0.1; }

}  // namespace vantorel::service
