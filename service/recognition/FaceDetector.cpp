#include "FaceDetector.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "ImageSampling.h"

namespace vantorel::service {
namespace {

constexpr std::array<float, 3> kMeanRgb = {117.001f, 114.697f, 97.404f};
constexpr double kOverlapLimit = 0.4;
constexpr int kValuesPerAnchor = 5;  // x, y, width, height, score

// Face sizes, in pixels of the net's input, whose boxes are trustworthy:
// smaller faces get misplaced boxes, larger ones false boxes around them.
constexpr double kSmallestReliableFace = 60;
constexpr double kLargestReliableFace = 240;

// Box sizes, in grid cells, that each of the five predictions per cell scales.
struct Anchor {
  double width;
  double height;
};
constexpr Anchor kAnchors[] = {
    {1.603231, 2.094468}, {6.041143, 7.080126}, {2.882459, 3.518061}, {4.266906, 5.178857}, {9.041765, 10.66308}};

double Sigmoid(double value) { return 1.0 / (1.0 + std::exp(-value)); }

double IntersectionOverUnion(const FaceBox& a, const FaceBox& b) {
  const double width = std::min(a.left + a.width, b.left + b.width) - std::max(a.left, b.left);
  const double height = std::min(a.top + a.height, b.top + b.height) - std::max(a.top, b.top);
  if (width <= 0 || height <= 0) return 0;
  const double overlap = width * height;
  return overlap / (a.width * a.height + b.width * b.height - overlap);
}

// Keeps the best of boxes that overlap too much.
std::vector<FaceBox> SuppressOverlaps(std::vector<FaceBox> boxes) {
  std::sort(boxes.begin(), boxes.end(), [](const FaceBox& a, const FaceBox& b) { return a.score > b.score; });
  std::vector<FaceBox> kept;
  for (const FaceBox& box : boxes)
    if (std::none_of(kept.begin(), kept.end(),
                     [&](const FaceBox& k) { return IntersectionOverUnion(k, box) > kOverlapLimit; }))
      kept.push_back(box);
  return kept;
}

}  // namespace

std::optional<FaceDetector> FaceDetector::Load(const std::string& modelDir) {
  const auto weights = TensorWeights::Load(modelDir, "tiny_face_detector_model");
  if (!weights) return std::nullopt;
  WeightReader reader(*weights);
  FaceDetector detector;
  detector.first_ = reader.TakeConvolution("conv0/filters", "conv0/bias", 3, 3, 16);
  for (int i = 1, channels = 16; i <= 5; ++i, channels *= 2)
    detector.separables_.push_back(reader.TakeSeparable("conv" + std::to_string(i), channels, channels * 2));
  detector.output_ =
      reader.TakeConvolution("conv8/filters", "conv8/bias", 1, 512, std::size(kAnchors) * kValuesPerAnchor);
  if (!reader.Complete()) return std::nullopt;
  return detector;
}

Tensor FaceDetector::Forward(const RgbImage& square) const {
  Tensor out = first_.Apply(NormalizedInput(square, kMeanRgb), 1, Padding::Valid, Activation::LeakyRelu);
  out = MaxPool(out, 2, 2, Padding::Same);
  for (std::size_t i = 0; i < separables_.size(); ++i) {
    out = separables_[i].Apply(out, 1, Padding::Same, Activation::LeakyRelu);
    // The last pooling keeps the grid size and only widens what each cell sees.
    out = MaxPool(out, 2, i + 1 < separables_.size() ? 2 : 1, Padding::Same);
  }
  return output_.Apply(out, 1, Padding::Valid);
}

void FaceDetector::Decode(const Tensor& grid, double cellSize, std::vector<FaceBox>& boxes) {
  for (int row = 0; row < grid.height; ++row)
    for (int col = 0; col < grid.width; ++col) {
      const float* cell = grid.Pixel(row, col);
      for (std::size_t a = 0; a < std::size(kAnchors); ++a) {
        const float* values = cell + a * kValuesPerAnchor;
        const double score = Sigmoid(values[4]);
        if (score < kMinScore) continue;
        const double width = std::exp(values[2]) * kAnchors[a].width * cellSize;
        const double height = std::exp(values[3]) * kAnchors[a].height * cellSize;
        const double centreX = (col + Sigmoid(values[0])) * cellSize;
        const double centreY = (row + Sigmoid(values[1])) * cellSize;
        boxes.push_back({centreX - width / 2, centreY - height / 2, width, height, score});
      }
    }
}

std::vector<FaceBox> FaceDetector::Detect(const RgbImage& picture) const {
  // The picture goes in as the top-left part of a black square.
  const double side = std::max(picture.width, picture.height);
  // The smaller squares are made from the largest, which is quicker than
  // reducing the whole picture again.
  const RgbImage largest = SampleSquare(picture, 0, 0, side, kInputSizes[0]);
  std::vector<FaceBox> boxes;
  for (int inputSize : kInputSizes) {
    const Tensor grid =
        Forward(inputSize == kInputSizes[0] ? largest : SampleSquare(largest, 0, 0, kInputSizes[0], inputSize));
    std::vector<FaceBox> found;
    Decode(grid, side / grid.width, found);
    const double pictureToInput = inputSize / side;
    std::copy_if(found.begin(), found.end(), std::back_inserter(boxes), [&](const FaceBox& box) {
      const double size = std::max(box.width, box.height) * pictureToInput;
      return size >= kSmallestReliableFace && size <= kLargestReliableFace;
    });
  }
  return SuppressOverlaps(std::move(boxes));
}

}  // namespace vantorel::service
