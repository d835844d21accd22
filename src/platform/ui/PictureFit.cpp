#include "platform/ui/PictureFit.h"

#include <algorithm>

namespace vantorel::ui {
namespace {

struct Span {
  int first;
  int end;  // exclusive
};

// The source pixels that target pixel `index` of `target` covers, never none.
Span SourceSpan(int index, int target, int source) {
  const int first = static_cast<int>(static_cast<long long>(index) * source / target);
  const int end = static_cast<int>(static_cast<long long>(index + 1) * source / target);
  return {first, std::max(end, first + 1)};
}

void AveragePixel(const RgbImage& source, Span columns, Span rows, std::uint8_t* out) {
  unsigned long sum[3] = {0, 0, 0};
  for (int y = rows.first; y < rows.end; ++y) {
    const std::uint8_t* pixel = source.pixels.data() + (static_cast<std::size_t>(y) * source.width + columns.first) * 3;
    for (int x = columns.first; x < columns.end; ++x, pixel += 3)
      for (int c = 0; c < 3; ++c) sum[c] += pixel[c];
  }
  const unsigned long count = static_cast<unsigned long>(columns.end - columns.first) * (rows.end - rows.first);
  for (int c = 0; c < 3; ++c) out[c] = static_cast<std::uint8_t>(sum[c] / count);
}

}  // namespace

RgbImage FitInto(const RgbImage& source, int maxWidth, int maxHeight) {
  if (source.width <= 0 || source.height <= 0 || maxWidth <= 0 || maxHeight <= 0) return {};
  const double scale = std::min({1.0, static_cast<double>(maxWidth) / source.width,
                                 static_cast<double>(maxHeight) / source.height});
  RgbImage target;
  target.width = std::max(1, static_cast<int>(source.width * scale));
  target.height = std::max(1, static_cast<int>(source.height * scale));
  target.pixels.resize(static_cast<std::size_t>(target.width) * target.height * 3);
  std::uint8_t* out = target.pixels.data();
  for (int y = 0; y < target.height; ++y) {
    const Span rows = SourceSpan(y, target.height, source.height);
    for (int x = 0; x < target.width; ++x, out += 3)
      AveragePixel(source, SourceSpan(x, target.width, source.width), rows, out);
  }
  return target;
}

}  // namespace vantorel::ui
