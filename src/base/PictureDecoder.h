#pragma once
// Decodes the picture files the program handles (JPEG and PNG) into 8-bit RGB.
#include <cstdint>
#include <optional>
#include <vector>

#include "base/Text.h"

namespace vantorel {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // width * height * 3 bytes, rows top to bottom
};

// Pictures above this many pixels are refused rather than decoded.
inline constexpr std::int64_t kMaxPicturePixels = 64 * 1024 * 1024;

// The format is told by the leading bytes. Truncated or corrupt data, other
// formats and oversized pictures give nothing.
std::optional<RgbImage> DecodePicture(const Bytes& data);

}  // namespace vantorel
