#include "DescriptorNet.h"

#include <algorithm>

#include "TensorWeights.h"

namespace vantorel::service {
namespace {

constexpr std::array<float, 3> kMeanRgb = {122.782f, 117.001f, 104.298f};

// A 3x3 (or 7x7) convolution followed by the folded batch norm's per-channel
// multiply and add, which is merged into its filters.
Convolution TakeScaledConvolution(WeightReader& reader, const std::string& prefix, int kernel, int in, int out) {
  Convolution convolution =
      reader.TakeConvolution(prefix + "/conv/filters", prefix + "/conv/bias", kernel, in, out);
  convolution.ScaleOutputs(reader.Take(prefix + "/scale/weights", {out}), reader.Take(prefix + "/scale/biases", {out}));
  return convolution;
}

// The shortcut of a down-sampling block: 2x2 average, then zero channels up to
// the block's width.
Tensor Shortcut(const Tensor& input, int channels) {
  const Tensor pooled = AveragePool(input, 2, 2);
  Tensor widened(pooled.height, pooled.width, channels);
  for (int y = 0; y < pooled.height; ++y)
    for (int x = 0; x < pooled.width; ++x) std::copy_n(pooled.Pixel(y, x), pooled.channels, widened.Pixel(y, x));
  return widened;
}

// A strided "valid" convolution of an even-sized map comes out one pixel
// smaller than its 2x2-pooled shortcut; the missing row and column are zeros.
Tensor GrowTo(const Tensor& tensor, int height, int width) {
  if (tensor.height == height && tensor.width == width) return tensor;
  Tensor grown(height, width, tensor.channels);
  for (int y = 0; y < tensor.height; ++y)
    for (int x = 0; x < tensor.width; ++x) std::copy_n(tensor.Pixel(y, x), tensor.channels, grown.Pixel(y, x));
  return grown;
}

}  // namespace

std::optional<DescriptorNet> DescriptorNet::Load(const std::string& modelDir) {
  const auto weights = TensorWeights::Load(modelDir, "face_recognition_model");
  if (!weights) return std::nullopt;
  WeightReader reader(*weights);
  DescriptorNet net;
  net.stem_ = TakeScaledConvolution(reader, "conv32_down", 7, 3, 32);

  struct Stage {
    int channels;
    const char* downName;  // empty: the stage keeps the previous width
    int plainBlocks;
  };
  const Stage stages[] = {{32, "", 3}, {64, "conv64_down", 3}, {128, "conv128_down", 2},
                          {256, "conv256_down", 2}, {256, "conv256_down_out", 0}};
  int channels = 32;
  for (const Stage& stage : stages) {
    auto block = [&](const std::string& name, int in, bool down) {
      return ResidualBlock{TakeScaledConvolution(reader, name + "/conv1", 3, in, stage.channels),
                           TakeScaledConvolution(reader, name + "/conv2", 3, stage.channels, stage.channels), down};
    };
    if (*stage.downName) net.blocks_.push_back(block(stage.downName, channels, true));
    for (int i = 1; i <= stage.plainBlocks; ++i)
      net.blocks_.push_back(block("conv" + std::to_string(stage.channels) + "_" + std::to_string(i),
                                  stage.channels, false));
    channels = stage.channels;
  }
  net.projection_ = reader.Take("fc", {256, kDescriptorSize});
  if (!reader.Complete()) return std::nullopt;
  return net;
}

Tensor DescriptorNet::ApplyBlock(const Tensor& input, const ResidualBlock& block) {
  Tensor out = block.conv1.Apply(input, block.down ? 2 : 1, block.down ? Padding::Valid : Padding::Same,
                                 Activation::Relu);
  out = block.conv2.Apply(out, 1, Padding::Same);
  if (block.down) {
    const Tensor shortcut = Shortcut(input, out.channels);
    out = GrowTo(out, shortcut.height, shortcut.width);
    AddInto(out, shortcut);
  } else {
    AddInto(out, input);
  }
  Relu(out);
  return out;
}

Tensor DescriptorNet::Forward(const Tensor& input) const {
  Tensor out = stem_.Apply(input, 2, Padding::Valid, Activation::Relu);
  out = MaxPool(out, 3, 2, Padding::Valid);
  for (const ResidualBlock& block : blocks_) out = ApplyBlock(out, block);
  return out;
}

std::vector<float> DescriptorNet::Describe(const RgbImage& face) const {
  const Tensor features = Forward(NormalizedInput(face, kMeanRgb));
  const int channels = features.channels;
  std::vector<float> average(channels, 0.0f);
  const int pixels = features.height * features.width;
  for (int p = 0; p < pixels; ++p)
    for (int c = 0; c < channels; ++c) average[c] += features.values[static_cast<std::size_t>(p) * channels + c];
  for (float& value : average) value /= static_cast<float>(pixels);

  std::vector<float> descriptor(kDescriptorSize, 0.0f);
  for (int c = 0; c < channels; ++c)
    for (int d = 0; d < kDescriptorSize; ++d)
      descriptor[d] += average[c] * projection_[static_cast<std::size_t>(c) * kDescriptorSize + d];
  return descriptor;
}

}  // namespace vantorel::service
