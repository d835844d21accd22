#pragma once
// The 68-point face landmark net: eyebrows, eyes, nose, mouth and jaw line
// of a face cut out at 112 x 112.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "ImageSampling.h"
#include "NetLayers.h"
#include "base/PictureDecoder.h"

namespace vantorel::service {

struct Point {
  double x = 0;
  double y = 0;
};

inline constexpr int kLandmarkCount = 68;
using Landmarks = std::array<Point, kLandmarkCount>;

class LandmarkNet {
 public:
  static constexpr int kInputSize = 112;

  static std::optional<LandmarkNet> Load(const std::string& modelDir);

  // The net's 136 outputs (x, y pairs as fractions of the input's side) for a
  // kInputSize x kInputSize face.
  std::vector<float> Forward(const RgbImage& face) const;

  // The landmarks of the face in `square` of `picture`, in picture
  // coordinates.
  Landmarks Locate(const RgbImage& picture, const Square& square) const;

 private:
  // Four separable convolutions (the first a plain one in the first block)
  // whose outputs are summed densely; the first one halves the size.
  struct DenseBlock {
    Convolution plainFirst;
    std::vector<SeparableConvolution> separables;
  };

  static Tensor ApplyBlock(const Tensor& input, const DenseBlock& block);

  std::vector<DenseBlock> blocks_;
  Convolution fullyConnected_;  // 1x1 over the pooled 256 features
};

}  // namespace vantorel::service
