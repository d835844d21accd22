#include "NetLayers.h"

#include <algorithm>
#include <limits>

#include "MatrixProduct.h"
#include "ParallelFor.h"

namespace vantorel::service {
namespace {

struct Geometry {
  int outSize;
  int padBefore;
};

Geometry WindowGeometry(int inSize, int kernel, int stride, Padding padding) {
  if (padding == Padding::Valid) return {(inSize - kernel) / stride + 1, 0};
  const int outSize = (inSize + stride - 1) / stride;
  const int padTotal = std::max((outSize - 1) * stride + kernel - inSize, 0);
  return {outSize, padTotal / 2};
}

// Output pixels handled per pass, so the unrolled patches stay in cache.
constexpr int kPixelsPerPass = 64;

}  // namespace

Convolution::Convolution(int kernel, int inChannels, int outChannels, const std::vector<float>& filters,
                         const std::vector<float>& bias)
    : kernel_(kernel),
      inChannels_(inChannels),
      outChannels_(outChannels),
      paddedOut_((outChannels + kColumnBlock - 1) / kColumnBlock * kColumnBlock),
      filters_(static_cast<std::size_t>(kernel) * kernel * inChannels * paddedOut_, 0.0f),
      bias_(paddedOut_, 0.0f) {
  const std::size_t depth = static_cast<std::size_t>(kernel) * kernel * inChannels;
  for (std::size_t i = 0; i < depth && filters.size() == depth * outChannels; ++i)
    std::copy_n(filters.begin() + i * outChannels, outChannels, filters_.begin() + i * paddedOut_);
  if (bias.size() == static_cast<std::size_t>(outChannels)) std::copy(bias.begin(), bias.end(), bias_.begin());
}

void Convolution::ScaleOutputs(const std::vector<float>& weights, const std::vector<float>& biases) {
  if (weights.size() != static_cast<std::size_t>(outChannels_) || biases.size() != weights.size()) return;
  for (std::size_t row = 0; row < filters_.size(); row += paddedOut_)
    for (int c = 0; c < outChannels_; ++c) filters_[row + c] *= weights[c];
  for (int c = 0; c < outChannels_; ++c) bias_[c] = bias_[c] * weights[c] + biases[c];
}

Tensor Convolution::Apply(const Tensor& input, int stride, Padding padding, Activation activation) const {
  const Geometry rows = WindowGeometry(input.height, kernel_, stride, padding);
  const Geometry cols = WindowGeometry(input.width, kernel_, stride, padding);
  Tensor output(rows.outSize, cols.outSize, outChannels_);
  const int pixels = rows.outSize * cols.outSize;
  const int depth = kernel_ * kernel_ * inChannels_;
  const bool direct = kernel_ == 1 && stride == 1;

  ParallelFor((pixels + kPixelsPerPass - 1) / kPixelsPerPass,
              static_cast<std::size_t>(kPixelsPerPass) * depth * outChannels_, [&](std::size_t firstPass, std::size_t endPass) {
                std::vector<float> patches(direct ? 0 : static_cast<std::size_t>(kPixelsPerPass) * depth);
                for (std::size_t pass = firstPass; pass < endPass; ++pass) {
                  const int first = static_cast<int>(pass) * kPixelsPerPass;
                  const int count = std::min(kPixelsPerPass, pixels - first);
                  const float* a = input.values.data() + static_cast<std::size_t>(first) * inChannels_;
                  if (!direct) {
                    // Only "same" windows reach over the edge into zeros.
                    if (padding == Padding::Same) std::fill(patches.begin(), patches.end(), 0.0f);
                    for (int p = 0; p < count; ++p) {
                      const int oy = (first + p) / cols.outSize;
                      const int ox = (first + p) % cols.outSize;
                      float* patch = patches.data() + static_cast<std::size_t>(p) * depth;
                      for (int ky = 0; ky < kernel_; ++ky) {
                        const int iy = oy * stride - rows.padBefore + ky;
                        if (iy < 0 || iy >= input.height) continue;
                        for (int kx = 0; kx < kernel_; ++kx) {
                          const int ix = ox * stride - cols.padBefore + kx;
                          if (ix < 0 || ix >= input.width) continue;
                          std::copy_n(input.Pixel(iy, ix), inChannels_,
                                      patch + (ky * kernel_ + kx) * inChannels_);
                        }
                      }
                    }
                    a = patches.data();
                  }
                  MultiplyAddBias(a, count, depth, filters_.data(), paddedOut_, outChannels_, bias_.data(),
                                  output.values.data() + static_cast<std::size_t>(first) * outChannels_,
                                  activation);
                }
              });
  return output;
}

Tensor SeparableConvolution::Apply(const Tensor& input, int stride, Padding padding, Activation activation) const {
  const int channels = input.channels;
  const Geometry rows = WindowGeometry(input.height, 3, stride, padding);
  const Geometry cols = WindowGeometry(input.width, 3, stride, padding);
  Tensor filtered(rows.outSize, cols.outSize, channels);
  ParallelFor(rows.outSize, static_cast<std::size_t>(cols.outSize) * channels * 9, [&](std::size_t firstRow, std::size_t endRow) {
    for (int oy = static_cast<int>(firstRow); oy < static_cast<int>(endRow); ++oy)
      for (int ox = 0; ox < cols.outSize; ++ox) {
        float* out = filtered.Pixel(oy, ox);
        for (int ky = 0; ky < 3; ++ky) {
          const int iy = oy * stride - rows.padBefore + ky;
          if (iy < 0 || iy >= input.height) continue;
          for (int kx = 0; kx < 3; ++kx) {
            const int ix = ox * stride - cols.padBefore + kx;
            if (ix < 0 || ix >= input.width) continue;
            const float* in = input.Pixel(iy, ix);
            const float* weights = depthwise_.data() + (ky * 3 + kx) * channels;
            for (int c = 0; c < channels; ++c) out[c] += in[c] * weights[c];
          }
        }
      }
  });
  return pointwise_.Apply(filtered, 1, Padding::Valid, activation);
}

std::vector<float> WeightReader::Take(const std::string& name, const std::vector<int>& shape) {
  const WeightTensor* tensor = weights_.Find(name, shape);
  if (!tensor) {
    complete_ = false;
    return {};
  }
  return tensor->values;
}

Convolution WeightReader::TakeConvolution(const std::string& filters, const std::string& bias, int kernel, int in,
                                          int out) {
  return Convolution(kernel, in, out, Take(filters, {kernel, kernel, in, out}), Take(bias, {out}));
}

SeparableConvolution WeightReader::TakeSeparable(const std::string& prefix, int in, int out) {
  std::vector<float> depthwise = Take(prefix + "/depthwise_filter", {3, 3, in, 1});
  depthwise.resize(static_cast<std::size_t>(9) * in);  // zeros when missing; the reader has failed then
  return SeparableConvolution(std::move(depthwise),
                              TakeConvolution(prefix + "/pointwise_filter", prefix + "/bias", 1, in, out));
}

Tensor NormalizedInput(const RgbImage& picture, const std::array<float, 3>& meanRgb) {
  Tensor input(picture.height, picture.width, 3);
  for (std::size_t i = 0; i < input.values.size(); ++i)
    input.values[i] = (static_cast<float>(picture.pixels[i]) - meanRgb[i % 3]) / 255.0f;
  return input;
}

Tensor MaxPool(const Tensor& input, int size, int stride, Padding padding) {
  const Geometry rows = WindowGeometry(input.height, size, stride, padding);
  const Geometry cols = WindowGeometry(input.width, size, stride, padding);
  Tensor output(rows.outSize, cols.outSize, input.channels);
  std::fill(output.values.begin(), output.values.end(), -std::numeric_limits<float>::infinity());
  for (int oy = 0; oy < rows.outSize; ++oy)
    for (int ox = 0; ox < cols.outSize; ++ox) {
      float* out = output.Pixel(oy, ox);
      for (int ky = 0; ky < size; ++ky) {
        const int iy = oy * stride - rows.padBefore + ky;
        if (iy < 0 || iy >= input.height) continue;
        for (int kx = 0; kx < size; ++kx) {
          const int ix = ox * stride - cols.padBefore + kx;
          if (ix < 0 || ix >= input.width) continue;
          const float* in = input.Pixel(iy, ix);
          for (int c = 0; c < input.channels; ++c) out[c] = std::max(out[c], in[c]);
        }
      }
    }
  return output;
}

Tensor AveragePool(const Tensor& input, int size, int stride) {
  const Geometry rows = WindowGeometry(input.height, size, stride, Padding::Valid);
  const Geometry cols = WindowGeometry(input.width, size, stride, Padding::Valid);
  Tensor output(rows.outSize, cols.outSize, input.channels);
  const float share = 1.0f / static_cast<float>(size * size);
  for (int oy = 0; oy < rows.outSize; ++oy)
    for (int ox = 0; ox < cols.outSize; ++ox) {
      float* out = output.Pixel(oy, ox);
      for (int ky = 0; ky < size; ++ky)
        for (int kx = 0; kx < size; ++kx) {
          const float* in = input.Pixel(oy * stride + ky, ox * stride + kx);
          for (int c = 0; c < input.channels; ++c) out[c] += in[c];
        }
      for (int c = 0; c < input.channels; ++c) out[c] *= share;
    }
  return output;
}

void Relu(Tensor& tensor) {
  for (float& value : tensor.values) value = std::max(value, 0.0f);
}

void AddInto(Tensor& into, const Tensor& other) {
  for (std::size_t i = 0; i < into.values.size(); ++i) into.values[i] += other.values[i];
}

}  // namespace vantorel::service
