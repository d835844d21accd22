#include "Sharpness.h"

#include <cmath>
#include <vector>

namespace vantorel::service {

double FaceSharpness(const RgbImage& chip) {
  // Only the middle of the chip: its border is background and padding.
  const int margin = chip.width / 5;
  const int size = chip.width - 2 * margin;
  if (size < 3 || chip.height != chip.width) return 0;
  std::vector<double> gray(static_cast<std::size_t>(size) * size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const std::uint8_t* rgb = chip.pixels.data() + (static_cast<std::size_t>(y + margin) * chip.width + x + margin) * 3;
      gray[static_cast<std::size_t>(y) * size + x] = 0.299 * rgb[0] + 0.587 * rgb[1] + 0.114 * rgb[2];
    }
  double sum = 0, sumSquares = 0, detail = 0;
  for (double value : gray) {
    sum += value;
    sumSquares += value * value;
  }
  for (int y = 1; y + 1 < size; ++y)
    for (int x = 1; x + 1 < size; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * size + x;
      const double laplacian = 4 * gray[at] - gray[at - 1] - gray[at + 1] - gray[at - size] - gray[at + size];
      detail += laplacian * laplacian;
    }
  const double pixels = static_cast<double>(gray.size());
  const double variance = sumSquares / pixels - (sum / pixels) * (sum / pixels);
  const double detailPerPixel = detail / ((size - 2.0) * (size - 2.0));
  return std::sqrt(detailPerPixel / (variance + 1.0));
}

}  // namespace vantorel::service
