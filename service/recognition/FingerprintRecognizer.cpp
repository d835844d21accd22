#include "service/recognition/FingerprintRecognizer.h"

#include <algorithm>
#include <cmath>

#include "base/PictureDecoder.h"

namespace vantorel::service {
namespace {

// A picture smaller than this on either side has no room for a face.
constexpr int kMinSide = 16;
// Below this standard deviation of grey levels (0-255) a picture is one flat
// colour, which shows no face.
constexpr double kMinContrast = 3.0;
// Sharpness is measured on a copy at most this wide and high, so the figure
// does not depend on the picture's resolution.
constexpr int kSharpnessSide = 256;

struct GreyImage {
  int width = 0;
  int height = 0;
  std::vector<float> levels;  // row by row

  float At(int x, int y) const { return levels[static_cast<std::size_t>(y) * width + x]; }
};

GreyImage ToGrey(const RgbImage& image) {
  GreyImage grey{image.width, image.height, {}};
  grey.levels.resize(static_cast<std::size_t>(image.width) * image.height);
  for (std::size_t i = 0; i < grey.levels.size(); ++i) {
    const std::uint8_t* rgb = &image.pixels[i * 3];
    grey.levels[i] = 0.299f * rgb[0] + 0.587f * rgb[1] + 0.114f * rgb[2];
  }
  return grey;
}

// Each output cell is the mean of the input pixels it covers.
GreyImage Shrink(const GreyImage& image, int width, int height) {
  GreyImage small{width, height, std::vector<float>(static_cast<std::size_t>(width) * height, 0.f)};
  std::vector<int> counts(small.levels.size(), 0);
  for (int y = 0; y < image.height; ++y) {
    const int cellY = static_cast<int>(static_cast<std::int64_t>(y) * height / image.height);
    for (int x = 0; x < image.width; ++x) {
      const std::size_t cell = static_cast<std::size_t>(cellY) * width + static_cast<std::int64_t>(x) * width / image.width;
      small.levels[cell] += image.At(x, y);
      ++counts[cell];
    }
  }
  for (std::size_t i = 0; i < small.levels.size(); ++i) small.levels[i] /= static_cast<float>(std::max(counts[i], 1));
  return small;
}

double StandardDeviation(const std::vector<float>& values) {
  double sum = 0, squares = 0;
  for (float v : values) sum += v, squares += static_cast<double>(v) * v;
  const double mean = sum / static_cast<double>(values.size());
  return std::sqrt(std::max(0.0, squares / static_cast<double>(values.size()) - mean * mean));
}

// The mean absolute Laplacian: close to 0 for a smooth, out-of-focus picture.
double Sharpness(const GreyImage& image) {
  const int longSide = std::max(image.width, image.height);
  const GreyImage work = longSide <= kSharpnessSide
                             ? image
                             : Shrink(image, std::max(1, image.width * kSharpnessSide / longSide),
                                      std::max(1, image.height * kSharpnessSide / longSide));
  if (work.width < 3 || work.height < 3) return 0;
  double total = 0;
  for (int y = 1; y + 1 < work.height; ++y)
    for (int x = 1; x + 1 < work.width; ++x)
      total += std::fabs(4 * work.At(x, y) - work.At(x - 1, y) - work.At(x + 1, y) - work.At(x, y - 1) - work.At(x, y + 1));
  return total / (static_cast<double>(work.width - 2) * (work.height - 2));
}

double MinimumSharpness(QualityControl quality) {
  switch (quality) {
    case QualityControl::None: return 0;
    case QualityControl::Low: return 1.0;
    case QualityControl::Normal: return 2.0;
    case QualityControl::High: return 4.0;
  }
  return 0;
}

// The grid scaled to zero mean and unit length, so that brightness and
// contrast changes leave it alone.
Descriptor Fingerprint(const GreyImage& image) {
  const GreyImage grid = Shrink(image, FingerprintRecognizer::kFingerprintSide, FingerprintRecognizer::kFingerprintSide);
  double mean = 0;
  for (float v : grid.levels) mean += v;
  mean /= static_cast<double>(grid.levels.size());
  double length = 0;
  for (float v : grid.levels) length += (v - mean) * (v - mean);
  length = std::sqrt(length);
  Descriptor descriptor(grid.levels.size(), 0.f);
  if (length > 0)
    for (std::size_t i = 0; i < grid.levels.size(); ++i) descriptor[i] = static_cast<float>((grid.levels[i] - mean) / length);
  return descriptor;
}

}  // namespace

FaceDescription FingerprintRecognizer::Describe(const Bytes& picture, QualityControl quality) const {
  FaceDescription description;
  const auto image = DecodePicture(picture);
  if (!image) return description;  // Undecodable
  description.status = FaceStatus::NoFace;
  if (image->width < kMinSide || image->height < kMinSide) return description;
  const GreyImage grey = ToGrey(*image);
  if (StandardDeviation(grey.levels) < kMinContrast) return description;
  description.status = FaceStatus::TooBlurred;
  if (Sharpness(grey) < MinimumSharpness(quality)) return description;
  description.status = FaceStatus::Found;
  description.descriptor = Fingerprint(grey);
  description.location = {0, 0, static_cast<double>(image->width), static_cast<double>(image->height), 0};
  return description;
}

double FingerprintRecognizer::Distance(const Descriptor& a, const Descriptor& b) const {
  if (a.size() != b.size()) return 2;  // the largest distance of two unit vectors
  double squares = 0;
  for (std::size_t i = 0; i < a.size(); ++i) squares += (static_cast<double>(a[i]) - b[i]) * (static_cast<double>(a[i]) - b[i]);
  return std::sqrt(squares);
}

// Unit vectors lie 0 to 2 apart; a distance of 0.5 already means unrelated
// pictures.
double FingerprintRecognizer::Score(double distance) const { return 100 * std::clamp(1 - 2 * distance, 0.0, 1.0); }

double FingerprintRecognizer::SameFaceDistance() const { return 0.02; }

}  // namespace vantorel::service
