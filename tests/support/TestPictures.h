#pragma once
// Pictures made at test time: faces cut out of the sample photos, altered
// copies of them, and generated PNG and JPEG files of known content.
#include <cstdint>
#include <string>
#include <vector>

#include "base/Text.h"

namespace vantorel::test {

// Different people of the sample photos, one face each.
inline constexpr int kSamplePeople = 8;

// The face of `person` (0 to kSamplePeople - 1) with some room around it,
// about 200 px, as JPEG. The same bytes every time; empty when ImageMagick
// or the sample photos are missing.
Bytes FacePicture(int person);
// That face changed by the ImageMagick `convert` options `alteration`, e.g.
// "-flop" for its mirror image or "-blur 0x2" for a blurred copy.
Bytes AlteredFacePicture(int person, const std::string& alteration);

// Pixels row by row, three bytes (red, green, blue) each.
struct RgbPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

Bytes EncodePng(const RgbPixels& pixels);
Bytes EncodeJpeg(const RgbPixels& pixels, int quality = 90);

// A smooth left-to-right grey ramp: a picture with no face in it.
Bytes MakeGradientPng(int width, int height);
Bytes MakeGradientJpeg(int width, int height);

// Standard Base64 with padding.
std::string ToBase64(const Bytes& data);

}  // namespace vantorel::test
