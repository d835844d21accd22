#pragma once
// Pictures made at test time: PNG and JPEG files of known content.
#include <cstdint>
#include <string>
#include <vector>

#include "base/Text.h"

namespace vantorel::test {

// Pixels row by row, three bytes (red, green, blue) each.
struct RgbPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

enum class Pattern {
  Noise,     // random grey levels per pixel: sharp, and unlike any other seed
  Gradient,  // a smooth left-to-right ramp: contrast but no sharpness
  Flat,      // one colour
};

RgbPixels PatternPixels(int width, int height, Pattern pattern, std::uint32_t seed = 1);

Bytes EncodePng(const RgbPixels& pixels);
Bytes EncodeJpeg(const RgbPixels& pixels, int quality = 90);

Bytes MakePng(int width, int height, Pattern pattern, std::uint32_t seed = 1);
Bytes MakeJpeg(int width, int height, Pattern pattern, std::uint32_t seed = 1, int quality = 90);

// Standard Base64 with padding.
std::string ToBase64(const Bytes& data);

}  // namespace vantorel::test
