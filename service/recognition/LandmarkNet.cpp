#include "LandmarkNet.h"


namespace vantorel::service {
namespace {

constexpr std::array<float, 3> kMeanRgb = {122.782f, 117.001f, 104.298f};
constexpr int kBlockChannels[] = {32, 64, 128, 256};

}  // namespace

std::optional<LandmarkNet> LandmarkNet::Load(const std::string& modelDir) {
  const auto weights = TensorWeights::Load(modelDir, "face_landmark_68_model");
  if (!weights) return std::nullopt;
  WeightReader reader(*weights);
  LandmarkNet net;
  int in = 3;
  for (int b = 0; b < 4; ++b) {
    const std::string prefix = "dense" + std::to_string(b) + "/conv";
    const int out = kBlockChannels[b];
    DenseBlock block;
    if (b == 0)
      block.plainFirst = reader.TakeConvolution(prefix + "0/filters", prefix + "0/bias", 3, in, out);
    for (int c = b == 0 ? 1 : 0; c < 4; ++c)
      block.separables.push_back(reader.TakeSeparable(prefix + std::to_string(c), c == 0 ? in : out, out));
    net.blocks_.push_back(std::move(block));
    in = out;
  }
  net.fullyConnected_ = Convolution(1, 256, 2 * kLandmarkCount, reader.Take("fc/weights", {256, 2 * kLandmarkCount}),
                                    reader.Take("fc/bias", {2 * kLandmarkCount}));
  if (!reader.Complete()) return std::nullopt;
  return net;
}

Tensor LandmarkNet::ApplyBlock(const Tensor& input, const DenseBlock& block) {
  const bool plain = block.separables.size() < 4;
  Tensor sum = plain ? block.plainFirst.Apply(input, 2, Padding::Same, Activation::Relu)
                     : block.separables[0].Apply(input, 2, Padding::Same, Activation::Relu);
  Tensor layerInput = sum;
  for (std::size_t i = plain ? 0 : 1; i < block.separables.size(); ++i) {
    const Tensor out = block.separables[i].Apply(layerInput, 1, Padding::Same);
    AddInto(sum, out);
    layerInput = sum;
    Relu(layerInput);
  }
  return layerInput;
}

std::vector<float> LandmarkNet::Forward(const RgbImage& face) const {
  Tensor out = NormalizedInput(face, kMeanRgb);
  for (const DenseBlock& block : blocks_) out = ApplyBlock(out, block);
  out = AveragePool(out, 7, 2);
  return fullyConnected_.Apply(out, 1, Padding::Valid).values;
}

Landmarks LandmarkNet::Locate(const RgbImage& picture, const Square& square) const {
  const std::vector<float> outputs = Forward(SampleSquare(picture, square, kInputSize));
  Landmarks landmarks;
  for (int i = 0; i < kLandmarkCount; ++i) square.Place(outputs[2 * i], outputs[2 * i + 1], landmarks[i].x, landmarks[i].y);
  return landmarks;
}

}  // namespace vantorel::service
