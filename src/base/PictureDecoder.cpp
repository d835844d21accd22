#include "base/PictureDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>
#include <png.h>

namespace vantorel {
namespace {

bool StartsWith(const Bytes& data, std::initializer_list<std::uint8_t> prefix) {
  if (data.size() < prefix.size()) return false;
  std::size_t i = 0;
  for (std::uint8_t b : prefix)
    if (data[i++] != b) return false;
  return true;
}

bool AcceptableSize(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width * height <= kMaxPicturePixels;
}

// libjpeg reports errors by calling error_exit, which must not return: jump
// back into DecodeJpeg instead of exiting the process.
struct JpegErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void JpegErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

void JpegSilence(j_common_ptr, int) {}

// Kept out of DecodeJpeg's frame so nothing with a destructor lives between
// setjmp and a possible longjmp.
bool ReadJpeg(jpeg_decompress_struct& info, JpegErrorManager& errors, const Bytes& data,
              RgbImage& image) {
  if (setjmp(errors.jump)) return false;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  info.out_color_space = JCS_RGB;
  if (!AcceptableSize(info.image_width, info.image_height)) return false;
  jpeg_start_decompress(&info);
  if (info.output_components != 3) return false;
  image.width = static_cast<int>(info.output_width);
  image.height = static_cast<int>(info.output_height);
  image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.pixels.data() + static_cast<std::size_t>(info.output_scanline) * image.width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  return true;
}

std::optional<RgbImage> DecodeJpeg(const Bytes& data) {
  auto image = std::make_unique<RgbImage>();
  auto errors = std::make_unique<JpegErrorManager>();
  auto info = std::make_unique<jpeg_decompress_struct>();
  info->err = jpeg_std_error(&errors->base);
  errors->base.error_exit = JpegErrorExit;
  errors->base.emit_message = JpegSilence;
  const bool ok = ReadJpeg(*info, *errors, data, *image);
  jpeg_destroy_decompress(info.get());
  if (!ok) return std::nullopt;
  return std::move(*image);
}

std::optional<RgbImage> DecodePng(const Bytes& data) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, data.data(), data.size())) return std::nullopt;
  png.format = PNG_FORMAT_RGB;
  if (!AcceptableSize(png.width, png.height)) {
    png_image_free(&png);
    return std::nullopt;
  }
  RgbImage image;
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  image.pixels.resize(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
    png_image_free(&png);
    return std::nullopt;
  }
  return image;
}

}  // namespace

std::optional<RgbImage> DecodePicture(const Bytes& data) {
  if (StartsWith(data, {0xFF, 0xD8, 0xFF})) return DecodeJpeg(data);
  if (StartsWith(data, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return DecodePng(data);
  return std::nullopt;
}

}  // namespace vantorel
