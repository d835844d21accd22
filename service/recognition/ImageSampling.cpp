#include "ImageSampling.h"

#include <algorithm>
#include <cmath>

namespace vantorel::service {
namespace {

// Averages factor x factor blocks; the last partial row and column are dropped.
RgbImage ShrinkByBlocks(const RgbImage& source, int factor) {
  RgbImage shrunk{source.width / factor, source.height / factor, {}};
  shrunk.pixels.resize(static_cast<std::size_t>(shrunk.width) * shrunk.height * 3);
  const int area = factor * factor;
  for (int y = 0; y < shrunk.height; ++y)
    for (int x = 0; x < shrunk.width; ++x)
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int dy = 0; dy < factor; ++dy)
          for (int dx = 0; dx < factor; ++dx)
            sum += source.pixels[(static_cast<std::size_t>(y * factor + dy) * source.width + x * factor + dx) * 3 + c];
        shrunk.pixels[(static_cast<std::size_t>(y) * shrunk.width + x) * 3 + c] =
            static_cast<std::uint8_t>((sum + area / 2) / area);
      }
  return shrunk;
}

}  // namespace

RgbImage Sample(const RgbImage& source, const AffineMap& map, int width, int height) {
  RgbImage output{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3, 0)};
  auto at = [&](int x, int y, int c) -> float {
    if (x < 0 || y < 0 || x >= source.width || y >= source.height) return 0.0f;
    return source.pixels[(static_cast<std::size_t>(y) * source.width + x) * 3 + c];
  };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const double sx = map.xx * x + map.xy * y + map.x0;
      const double sy = map.yx * x + map.yy * y + map.y0;
      if (!(sx > -1 && sy > -1 && sx < source.width && sy < source.height)) continue;
      const int left = static_cast<int>(std::floor(sx));
      const int top = static_cast<int>(std::floor(sy));
      const float fx = static_cast<float>(sx - left);
      const float fy = static_cast<float>(sy - top);
      std::uint8_t* out = output.pixels.data() + (static_cast<std::size_t>(y) * width + x) * 3;
      for (int c = 0; c < 3; ++c) {
        const float upper = at(left, top, c) * (1 - fx) + at(left + 1, top, c) * fx;
        const float lower = at(left, top + 1, c) * (1 - fx) + at(left + 1, top + 1, c) * fx;
        out[c] = static_cast<std::uint8_t>(std::lround(std::clamp(upper * (1 - fy) + lower * fy, 0.0f, 255.0f)));
      }
    }
  return output;
}

void Square::Place(double fx, double fy, double& x, double& y) const {
  const double u = (fx - 0.5) * side, v = (fy - 0.5) * side;
  x = centreX + u * std::cos(angle) - v * std::sin(angle);
  y = centreY + u * std::sin(angle) + v * std::cos(angle);
}

RgbImage SampleSquare(const RgbImage& source, const Square& square, int size) {
  const int factor = static_cast<int>(square.side / size / 1.5);
  if (factor >= 2 && source.width >= factor && source.height >= factor)
    return SampleSquare(ShrinkByBlocks(source, factor),
                        {square.centreX / factor, square.centreY / factor, square.side / factor, square.angle},
                        size);
  // Output pixel centres sit at fractions (i + 0.5) / size of the square;
  // source pixel centres at whole numbers + 0.5 of picture coordinates.
  const double step = 1.0 / size;
  double x0, y0, x1, y1, x2, y2;
  square.Place(0.5 * step, 0.5 * step, x0, y0);
  square.Place(1.5 * step, 0.5 * step, x1, y1);
  square.Place(0.5 * step, 1.5 * step, x2, y2);
  AffineMap map;
  map.xx = x1 - x0;
  map.yx = y1 - y0;
  map.xy = x2 - x0;
  map.yy = y2 - y0;
  map.x0 = x0 - 0.5;
  map.y0 = y0 - 0.5;
  return Sample(source, map, size, size);
}

RgbImage SampleSquare(const RgbImage& source, double left, double top, double side, int size) {
  return SampleSquare(source, Square{left + side / 2, top + side / 2, side, 0}, size);
}

}  // namespace vantorel::service
