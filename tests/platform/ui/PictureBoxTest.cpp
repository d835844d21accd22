// Picture boxes keep the bytes given and show what they decode to.
#include <gtest/gtest.h>

#include <png.h>

#include "platform/ui/PictureBox.h"
#include "platform/ui/PictureFit.h"

namespace vantorel::ui {
namespace {

Bytes SolidPng(int width, int height) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3, 200);
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(width);
  png.height = static_cast<png_uint_32>(height);
  png.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&png, nullptr, &size, 0, rgb.data(), 0, nullptr);
  Bytes file(size);
  png_image_write_to_memory(&png, file.data(), &size, 0, rgb.data(), 0, nullptr);
  return file;
}

TEST(PictureBoxTest, ShowsThePictureScaledIntoTheFrameAndKeepsTheBytes) {
  PictureBox box({13, 36, 240, 176}, Border::Single);
  const Bytes file = SolidPng(1920, 1080);
  box.SetPicture(file);
  EXPECT_EQ(box.picture(), file);
  ASSERT_NE(box.shownImage(), nullptr);
  EXPECT_EQ(box.shownImage()->w(), 238);  // inside the one-pixel border
  EXPECT_EQ(box.shownImage()->h(), 133);
}

TEST(PictureBoxTest, UndecodableBytesAreKeptAndShowNothing) {
  Bytes truncated = SolidPng(64, 64);
  truncated.resize(truncated.size() / 2);
  const Bytes jpegStart{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10};
  for (const Bytes& file : {truncated, jpegStart, Bytes{'t', 'e', 'x', 't'}}) {
    PictureBox box({8, 19, 208, 152}, Border::Single);
    box.SetPicture(SolidPng(10, 10));
    box.SetPicture(file);
    EXPECT_EQ(box.picture(), file);
    EXPECT_EQ(box.shownImage(), nullptr);
  }
}

TEST(PictureBoxTest, EmptyBytesEmptyTheBox) {
  PictureBox box({256, 157, 24, 24}, Border::Absent);
  box.SetPicture(SolidPng(200, 200));
  ASSERT_NE(box.shownImage(), nullptr);
  EXPECT_EQ(box.shownImage()->w(), 24);
  box.SetPicture({});
  EXPECT_TRUE(box.picture().empty());
  EXPECT_EQ(box.shownImage(), nullptr);
}

TEST(PictureFitTest, KeepsTheAspectAndNeverEnlarges) {
  struct Case {
    int width, height, maxWidth, maxHeight, fittedWidth, fittedHeight;
  };
  const Case cases[] = {
      {1920, 1080, 238, 174, 238, 133},
      {1080, 1920, 238, 174, 97, 174},
      {100, 50, 238, 174, 100, 50},
      {5000, 1, 100, 100, 100, 1},
  };
  for (const auto& c : cases) {
    RgbImage source{c.width, c.height, std::vector<std::uint8_t>(static_cast<std::size_t>(c.width) * c.height * 3)};
    const RgbImage fitted = FitInto(source, c.maxWidth, c.maxHeight);
    EXPECT_EQ(fitted.width, c.fittedWidth) << c.width << "x" << c.height;
    EXPECT_EQ(fitted.height, c.fittedHeight) << c.width << "x" << c.height;
    EXPECT_EQ(fitted.pixels.size(), static_cast<std::size_t>(fitted.width) * fitted.height * 3);
  }
}

TEST(PictureFitTest, EachPixelAveragesTheSourcePixelsItCovers) {
  // 4×2 pixels of black and white columns halve to 2×1 mid grey.
  RgbImage source{4, 2, {}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x)
      for (int c = 0; c < 3; ++c) source.pixels.push_back(x % 2 ? 255 : 0);
  const RgbImage fitted = FitInto(source, 2, 1);
  EXPECT_EQ(fitted.pixels, (std::vector<std::uint8_t>{127, 127, 127, 127, 127, 127}));
}

}  // namespace
}  // namespace vantorel::ui
