#include "support/TestPictures.h"

#include <algorithm>
#include <cstdlib>
#include <random>

#include <jpeglib.h>
#include <openssl/evp.h>
#include <png.h>

namespace vantorel::test {

RgbPixels PatternPixels(int width, int height, Pattern pattern, std::uint32_t seed) {
  RgbPixels pixels{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
  std::mt19937 random(seed);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t level = 128;
      if (pattern == Pattern::Noise) level = static_cast<std::uint8_t>(random() & 0xFF);
      if (pattern == Pattern::Gradient) level = static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1));
      std::uint8_t* pixel = &pixels.rgb[(static_cast<std::size_t>(y) * width + x) * 3];
      pixel[0] = pixel[1] = pixel[2] = level;
    }
  }
  return pixels;
}

Bytes EncodePng(const RgbPixels& pixels) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(pixels.width);
  image.height = static_cast<png_uint_32>(pixels.height);
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, pixels.rgb.data(), 0, nullptr);
  Bytes png(size);
  if (!png_image_write_to_memory(&image, png.data(), &size, 0, pixels.rgb.data(), 0, nullptr)) return {};
  png.resize(size);
  return png;
}

Bytes EncodeJpeg(const RgbPixels& pixels, int quality) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(pixels.width);
  info.image_height = static_cast<JDIMENSION>(pixels.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<std::uint8_t> row(static_cast<std::size_t>(pixels.width) * 3);
  while (info.next_scanline < info.image_height) {
    // libjpeg takes rows as writable pointers; a copy keeps the pixels const.
    const auto* start = &pixels.rgb[static_cast<std::size_t>(info.next_scanline) * row.size()];
    std::copy(start, start + row.size(), row.begin());
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes jpeg(buffer, buffer + size);
  std::free(buffer);
  return jpeg;
}

Bytes MakePng(int width, int height, Pattern pattern, std::uint32_t seed) {
  return EncodePng(PatternPixels(width, height, pattern, seed));
}

Bytes MakeJpeg(int width, int height, Pattern pattern, std::uint32_t seed, int quality) {
  return EncodeJpeg(PatternPixels(width, height, pattern, seed), quality);
}

std::string ToBase64(const Bytes& data) {
  std::string text(4 * ((data.size() + 2) / 3) + 1, '\0');
  const int length = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()), data.data(), static_cast<int>(data.size()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace vantorel::test
