#pragma once
// The building blocks the three face nets are made of, on Tensors with
// channels innermost. Padding follows the TensorFlow convention the weights
// were trained with: "same" keeps ceil(size / stride) outputs and puts the odd
// padding pixel after the image, "valid" uses only whole windows.
#include <array>
#include <string>
#include <vector>

#include "base/PictureDecoder.h"

#include "MatrixProduct.h"
#include "Tensor.h"
#include "TensorWeights.h"

namespace vantorel::service {

enum class Padding { Same, Valid };

// A kernel x kernel convolution with bias, filters given as
// kernel x kernel x in x out (the order tfjs stores them in).
class Convolution {
 public:
  Convolution() = default;
  Convolution(int kernel, int inChannels, int outChannels, const std::vector<float>& filters,
              const std::vector<float>& bias);

  Tensor Apply(const Tensor& input, int stride, Padding padding,
               Activation activation = Activation::None) const;

  // Folds a following per-channel multiply and add into the filters.
  void ScaleOutputs(const std::vector<float>& weights, const std::vector<float>& biases);

 private:
  int kernel_ = 1;
  int inChannels_ = 0;
  int outChannels_ = 0;
  int paddedOut_ = 0;           // outChannels_ rounded up to the product's column block
  std::vector<float> filters_;  // (kernel * kernel * in) x paddedOut_
  std::vector<float> bias_;     // paddedOut_
};

// A 3x3 depthwise convolution (one filter per channel, no bias) followed by
// a 1x1 convolution with bias.
class SeparableConvolution {
 public:
  SeparableConvolution() = default;
  SeparableConvolution(std::vector<float> depthwise, Convolution pointwise)
      : depthwise_(std::move(depthwise)), pointwise_(std::move(pointwise)) {}

  Tensor Apply(const Tensor& input, int stride, Padding padding,
               Activation activation = Activation::None) const;

 private:
  std::vector<float> depthwise_;  // 3 x 3 x channels
  Convolution pointwise_;
};

// Picks the named tensors out of a net's weights, checking each shape; a
// missing or misshapen tensor makes the whole reader fail.
class WeightReader {
 public:
  explicit WeightReader(const TensorWeights& weights) : weights_(weights) {}

  std::vector<float> Take(const std::string& name, const std::vector<int>& shape);
  Convolution TakeConvolution(const std::string& filters, const std::string& bias, int kernel, int in,
                              int out);
  // "<prefix>/depthwise_filter", "<prefix>/pointwise_filter", "<prefix>/bias".
  SeparableConvolution TakeSeparable(const std::string& prefix, int in, int out);
  bool Complete() const { return complete_; }

 private:
  const TensorWeights& weights_;
  bool complete_ = true;
};

// The nets' input: each colour minus its mean over the training pictures,
// divided by 255.
Tensor NormalizedInput(const RgbImage& picture, const std::array<float, 3>& meanRgb);

Tensor MaxPool(const Tensor& input, int size, int stride, Padding padding);
Tensor AveragePool(const Tensor& input, int size, int stride);  // valid windows only
void Relu(Tensor& tensor);
void AddInto(Tensor& into, const Tensor& other);  // same shape

}  // namespace vantorel::service
