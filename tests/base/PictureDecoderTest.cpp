#include "base/PictureDecoder.h"

#include <gtest/gtest.h>

#include "support/TestPictures.h"

namespace vantorel {
namespace {

using test::EncodeJpeg;
using test::EncodePng;

// Red rises to the right, green downwards, blue stays at 128.
test::RgbPixels Gradient(int width, int height) {
  test::RgbPixels pixels{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = &pixels.rgb[(static_cast<std::size_t>(y) * width + x) * 3];
      p[0] = static_cast<std::uint8_t>(x * 255 / width);
      p[1] = static_cast<std::uint8_t>(y * 255 / height);
      p[2] = 128;
    }
  return pixels;
}

TEST(PictureDecoderTest, DecodesPngExactly) {
  const auto picture = DecodePicture(EncodePng(Gradient(7, 5)));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 7);
  EXPECT_EQ(picture->height, 5);
  EXPECT_EQ(picture->pixels, Gradient(7, 5).rgb);
}

TEST(PictureDecoderTest, DecodesJpegToRgb) {
  const auto picture = DecodePicture(EncodeJpeg(Gradient(33, 17)));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 33);
  EXPECT_EQ(picture->height, 17);
  ASSERT_EQ(picture->pixels.size(), 33u * 17u * 3u);
  EXPECT_NEAR(picture->pixels[2], 128, 16);  // blue channel of the first pixel, lossy
}

TEST(PictureDecoderTest, RefusesWhatItCannotDecode) {
  Bytes jpeg = EncodeJpeg(Gradient(64, 64));
  Bytes png = EncodePng(Gradient(64, 64));
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
  Bytes jpeg = EncodeJpeg(Gradient(64, 64));
  jpeg.resize(jpeg.size() / 2);
  // libjpeg pads a truncated scan; either result is fine as long as it is safe.
  const auto picture = DecodePicture(jpeg);
  if (picture) {
    EXPECT_EQ(picture->pixels.size(), 64u * 64u * 3u);
  }
}

TEST(PictureDecoderTest, RefusesOversizedPictures) {
  Bytes png = EncodePng(Gradient(4, 4));
  // Width and height in the IHDR chunk (bytes 16..23) set to 65535; the
  // header's checksum no longer matches, which libpng also rejects.
  for (int i = 16; i < 24; ++i) png[i] = (i % 4 < 2) ? 0 : 0xFF;
  EXPECT_FALSE(DecodePicture(png));
}

}  // namespace
}  // namespace vantorel
