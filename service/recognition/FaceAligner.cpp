#include "FaceAligner.h"

#include <cmath>
#include <numbers>

namespace vantorel::service {
namespace {

// Where landmarks 17 to 67 (brows, nose, eyes, mouth; not the jaw line, which
// moves with the head's turn) sit on an upright face, scaled to the unit
// square: the mirror-symmetric mean over the frontal sample faces.
constexpr Point kUprightFace[] = {
    {0.000, 0.077}, {0.074, 0.022}, {0.173, 0.014}, {0.266, 0.032}, {0.348, 0.068}, {0.652, 0.068},
    {0.734, 0.032}, {0.827, 0.014}, {0.926, 0.022}, {1.000, 0.077}, {0.500, 0.263}, {0.500, 0.388},
    {0.500, 0.504}, {0.500, 0.610}, {0.391, 0.654}, {0.440, 0.674}, {0.500, 0.691}, {0.560, 0.674},
    {0.610, 0.654}, {0.122, 0.226}, {0.179, 0.199}, {0.265, 0.199}, {0.337, 0.246}, {0.269, 0.268},
    {0.182, 0.265}, {0.663, 0.246}, {0.736, 0.199}, {0.821, 0.199}, {0.877, 0.226}, {0.818, 0.265},
    {0.732, 0.268}, {0.259, 0.833}, {0.343, 0.809}, {0.445, 0.787}, {0.500, 0.800}, {0.555, 0.787},
    {0.657, 0.809}, {0.742, 0.833}, {0.655, 0.931}, {0.576, 0.977}, {0.500, 0.991}, {0.424, 0.977},
    {0.345, 0.931}, {0.280, 0.835}, {0.428, 0.841}, {0.500, 0.842}, {0.572, 0.841}, {0.720, 0.835},
    {0.570, 0.899}, {0.500, 0.907}, {0.430, 0.899},
};
constexpr int kFirstInnerLandmark = 17;

// The margin around that square in the chip, as a fraction of the square's side.
constexpr double kPadding = 0.25;

Point ChipPosition(const Point& upright) {
  const double scale = kChipSize / (1 + 2 * kPadding);
  return {(upright.x + kPadding) * scale - 0.5, (upright.y + kPadding) * scale - 0.5};
}

}  // namespace

AlignedFace AlignFace(const RgbImage& picture, const Landmarks& landmarks) {
  // Least-squares similarity (scale, rotation, shift) from chip positions to
  // the landmarks in the picture.
  constexpr int count = static_cast<int>(std::size(kUprightFace));
  Point chipMean, pictureMean;
  for (int i = 0; i < count; ++i) {
    const Point chip = ChipPosition(kUprightFace[i]);
    const Point& seen = landmarks[kFirstInnerLandmark + i];
    chipMean = {chipMean.x + chip.x / count, chipMean.y + chip.y / count};
    pictureMean = {pictureMean.x + seen.x / count, pictureMean.y + seen.y / count};
  }
  double dot = 0, cross = 0, norm = 0;
  for (int i = 0; i < count; ++i) {
    const Point chip = ChipPosition(kUprightFace[i]);
    const Point& seen = landmarks[kFirstInnerLandmark + i];
    const double cx = chip.x - chipMean.x, cy = chip.y - chipMean.y;
    const double px = seen.x - pictureMean.x, py = seen.y - pictureMean.y;
    dot += cx * px + cy * py;
    cross += cx * py - cy * px;
    norm += cx * cx + cy * cy;
  }
  const double a = dot / norm, b = cross / norm;
  AffineMap map;
  map.xx = a;
  map.xy = -b;
  map.yx = b;
  map.yy = a;
  map.x0 = pictureMean.x - a * chipMean.x + b * chipMean.y;
  map.y0 = pictureMean.y - b * chipMean.x - a * chipMean.y;
  return {Sample(picture, map, kChipSize, kChipSize), std::atan2(b, a) * 180 / std::numbers::pi};
}

}  // namespace vantorel::service
