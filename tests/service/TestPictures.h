#pragma once
// Pictures made at test time: PNG and JPEG files of known content.
#include <cstdint>

#include "base/Text.h"

namespace vantorel::service::testing {

enum class Pattern {
  Noise,     // random grey levels per pixel: sharp, and unlike any other seed
  Gradient,  // a smooth left-to-right ramp: contrast but no sharpness
  Flat,      // one colour
};

Bytes MakePng(int width, int height, Pattern pattern, std::uint32_t seed = 1);
Bytes MakeJpeg(int width, int height, Pattern pattern, std::uint32_t seed = 1, int quality = 90);

// Standard Base64 with padding.
std::string ToBase64(const Bytes& data);

}  // namespace vantorel::service::testing
