#pragma once
// The test pictures and reference outputs make_reference.mjs produced with
// the package's own JavaScript.
#include <fstream>
#include <string>
#include <vector>

#include "base/PictureDecoder.h"

namespace vantorel::service::testing {

// The same integer formulas as in make_reference.mjs.
inline int PatternValue(const std::string& pattern, int x, int y, int c) {
  if (pattern == "stripes") return ((x * (c + 2) + y * (3 - c)) * 5 + ((x * y) >> 4)) % 256;
  return (((x - 40) * (x - 40) + (y - 60) * (y - 60) * (c + 1)) >> 3) % 256;
}

inline RgbImage PatternPicture(const std::string& pattern, int size) {
  RgbImage picture{size, size, std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size * 3)};
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      for (int c = 0; c < 3; ++c)
        picture.pixels[(static_cast<std::size_t>(y) * size + x) * 3 + c] =
            static_cast<std::uint8_t>(PatternValue(pattern, x, y, c));
  return picture;
}

inline std::vector<float> ReadReference(const std::string& name) {
  std::ifstream file(std::string(VANTOREL_RECOGNITION_TEST_DATA) + "/" + name);
  std::vector<float> values;
  for (float value; file >> value;) values.push_back(value);
  return values;
}

}  // namespace vantorel::service::testing
