#include "base/PictureDecoder.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <jpeglib.h>
#include <png.h>

namespace vantorel {
namespace {

std::vector<std::uint8_t> Gradient(int width, int height) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
      p[0] = static_cast<std::uint8_t>(x * 255 / width);
      p[1] = static_cast<std::uint8_t>(y * 255 / height);
      p[2] = 128;
    }
  return rgb;
}

Bytes EncodePng(int width, int height) {
  const auto rgb = Gradient(width, height);
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(width);
  png.height = static_cast<png_uint_32>(height);
  png.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&png, nullptr, &size, 0, rgb.data(), 0, nullptr);
  Bytes out(size);
  EXPECT_TRUE(png_image_write_to_memory(&png, out.data(), &size, 0, rgb.data(), 0, nullptr));
  out.resize(size);
  return out;
}

Bytes EncodeJpeg(int width, int height) {
  auto rgb = Gradient(width, height);
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
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = &rgb[static_cast<std::size_t>(info.next_scanline) * width * 3];
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  Bytes out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

TEST(PictureDecoderTest, DecodesPngExactly) {
  const auto picture = DecodePicture(EncodePng(7, 5));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 7);
  EXPECT_EQ(picture->height, 5);
  EXPECT_EQ(picture->pixels, Gradient(7, 5));
}

TEST(PictureDecoderTest, DecodesJpegToRgb) {
  const auto picture = DecodePicture(EncodeJpeg(33, 17));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 33);
  EXPECT_EQ(picture->height, 17);
  ASSERT_EQ(picture->pixels.size(), 33u * 17u * 3u);
  EXPECT_NEAR(picture->pixels[2], 128, 16);  // blue channel of the first pixel, lossy
}

TEST(PictureDecoderTest, RefusesWhatItCannotDecode) {
  Bytes jpeg = EncodeJpeg(64, 64);
  Bytes png = EncodePng(64, 64);
  const Bytes cases[] = {
      {},
      {0xFF, 0xD8, 0xFF},
      Bytes(jpeg.begin(), jpeg.begin() + 40),
      Bytes(png.begin(), png.begin() + 30),
      Bytes(1000, 0xFF),
      {'G', 'I', 'F', '8', '9', 'a'},
  };
  for (const Bytes& data : cases) EXPECT_FALSE(DecodePicture(data)) << data.size();
}

TEST(PictureDecoderTest, TruncatedJpegBodyDoesNotCrash) {
  Bytes jpeg = EncodeJpeg(64, 64);
  jpeg.resize(jpeg.size() / 2);
  // libjpeg pads a truncated scan; either result is fine as long as it is safe.
  const auto picture = DecodePicture(jpeg);
  if (picture) {
    EXPECT_EQ(picture->pixels.size(), 64u * 64u * 3u);
  }
}

TEST(PictureDecoderTest, RefusesOversizedPictures) {
  Bytes png = EncodePng(4, 4);
  // Width and height in the IHDR chunk (bytes 16..23) set to 65535; the
  // header's checksum no longer matches, which libpng also rejects.
  for (int i = 16; i < 24; ++i) png[i] = (i % 4 < 2) ? 0 : 0xFF;
  EXPECT_FALSE(DecodePicture(png));
}

}  // namespace
}  // namespace vantorel
