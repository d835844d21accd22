#include "service/TestPictures.h"

#include <cstdio>
#include <random>
#include <vector>

#include <jpeglib.h>
#include <openssl/evp.h>
#include <png.h>

namespace vantorel::service::testing {
namespace {

std::vector<std::uint8_t> Pixels(int width, int height, Pattern pattern, std::uint32_t seed) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  std::mt19937 random(seed);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t level = 128;
      if (pattern == Pattern::Noise) level = static_cast<std::uint8_t>(random() & 0xFF);
      if (pattern == Pattern::Gradient) level = static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1));
      std::uint8_t* pixel = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
      pixel[0] = pixel[1] = pixel[2] = level;
    }
  }
  return rgb;
}

}  // namespace

Bytes MakePng(int width, int height, Pattern pattern, std::uint32_t seed) {
  const auto rgb = Pixels(width, height, pattern, seed);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr);
  Bytes png(size);
  png_image_write_to_memory(&image, png.data(), &size, 0, rgb.data(), 0, nullptr);
  png.resize(size);
  return png;
}

Bytes MakeJpeg(int width, int height, Pattern pattern, std::uint32_t seed, int quality) {
  auto rgb = Pixels(width, height, pattern, seed);
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = &rgb[static_cast<std::size_t>(info.next_scanline) * width * 3];
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes jpeg(buffer, buffer + size);
  std::free(buffer);
  return jpeg;
}

std::string ToBase64(const Bytes& data) {
  std::string text(4 * ((data.size() + 2) / 3) + 1, '\0');
  const int length = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()), data.data(), static_cast<int>(data.size()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace vantorel::service::testing
