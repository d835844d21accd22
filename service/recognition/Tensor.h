#pragma once
// A feature map as the nets pass it along: height x width x channels floats,
// channels innermost.
#include <cstddef>
#include <vector>

namespace vantorel::service {

struct Tensor {
  int height = 0;
  int width = 0;
  int channels = 0;
  std::vector<float> values;

  Tensor() = default;
  Tensor(int h, int w, int c)
      : height(h), width(w), channels(c), values(static_cast<std::size_t>(h) * w * c, 0.0f) {}

  float* Pixel(int y, int x) { return values.data() + (static_cast<std::size_t>(y) * width + x) * channels; }
  const float* Pixel(int y, int x) const {
    return values.data() + (static_cast<std::size_t>(y) * width + x) * channels;
  }
};

}  // namespace vantorel::service
