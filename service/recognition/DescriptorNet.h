#pragma once
// The ResNet that turns an aligned 150 x 150 face into a 128-number
// descriptor; faces of one person lie close together in that space.
#include <optional>
#include <string>
#include <vector>

#include "NetLayers.h"
#include "base/PictureDecoder.h"

namespace vantorel::service {

class DescriptorNet {
 public:
  static constexpr int kInputSize = 150;
  static constexpr int kDescriptorSize = 128;

  // Nothing when the weights are missing or do not fit the net.
  static std::optional<DescriptorNet> Load(const std::string& modelDir);

  // `face` must be kInputSize x kInputSize.
  std::vector<float> Describe(const RgbImage& face) const;

 private:
  // conv1 (3x3, stride 2 when down-sampling) and conv2, each with its
  // per-channel scale folded in.
  struct ResidualBlock {
    Convolution conv1;
    Convolution conv2;
    bool down = false;
  };

  Tensor Forward(const Tensor& input) const;
  static Tensor ApplyBlock(const Tensor& input, const ResidualBlock& block);

  Convolution stem_;
  std::vector<ResidualBlock> blocks_;
  std::vector<float> projection_;  // 256 x 128, no bias
};

}  // namespace vantorel::service
