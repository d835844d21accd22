#include "support/TestPictures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <utility>

#include <jpeglib.h>
#include <openssl/evp.h>
#include <png.h>

namespace vantorel::test {
namespace {

// Where the face detector found these people's faces in the sample photos
// (which the fetch script pins by checksum), in the photos' pixels.
struct FaceBox {
  int photo;
  int left, top, width, height;
};
constexpr FaceBox kFaces[kSamplePeople] = {
    {1, 816, 447, 252, 242}, {1, 1421, 210, 283, 267}, {3, 1015, 236, 303, 284}, {4, 636, 103, 246, 234},
    {5, 752, 144, 203, 198}, {6, 201, 536, 283, 258},  {6, 1439, 318, 275, 278}, {5, 568, 459, 242, 233},
};

// `convert`'s JPEG output for `arguments`, empty when it failed.
Bytes ConvertToJpeg(const std::string& arguments) {
  FILE* pipe = ::popen(("convert " + arguments + " jpg:- 2>/dev/null").c_str(), "r");
  if (!pipe) return {};
  Bytes jpeg;
  unsigned char buffer[65536];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) jpeg.insert(jpeg.end(), buffer, buffer + got);
  return ::pclose(pipe) == 0 ? jpeg : Bytes();
}

// A quarter of the face's size is kept on each side, as a photo of a face
// would have it.
std::string CropArguments(int person) {
  const FaceBox& box = kFaces[person];
  const int marginX = box.width / 4, marginY = box.height / 4;
  return std::string(VANTOREL_FACE_SAMPLES_DIR) + "/sample" + std::to_string(box.photo) + ".jpg -crop " +
         std::to_string(box.width + 2 * marginX) + "x" + std::to_string(box.height + 2 * marginY) + "+" +
         std::to_string(box.left - marginX) + "+" + std::to_string(box.top - marginY) +
         " +repage -resize 200x200 -quality 90";
}

// Each picture is made once per test program: cutting from the large photos
// takes a while.
Bytes CachedFace(int person, const std::string& alteration) {
  static std::mutex mutex;
  static std::map<std::pair<int, std::string>, Bytes> made;
  if (person < 0 || person >= kSamplePeople) return {};
  std::lock_guard lock(mutex);
  auto [entry, isNew] = made.try_emplace({person, alteration});
  if (isNew) entry->second = ConvertToJpeg(CropArguments(person) + " " + alteration);
  return entry->second;
}

// A left-to-right grey ramp.
RgbPixels Gradient(int width, int height) {
  RgbPixels pixels{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* pixel = &pixels.rgb[(static_cast<std::size_t>(y) * width + x) * 3];
      pixel[0] = pixel[1] = pixel[2] = static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1));
    }
  return pixels;
}

}  // namespace

Bytes FacePicture(int person) { return CachedFace(person, ""); }

Bytes AlteredFacePicture(int person, const std::string& alteration) { return CachedFace(person, alteration); }

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

Bytes MakeGradientPng(int width, int height) { return EncodePng(Gradient(width, height)); }

Bytes MakeGradientJpeg(int width, int height) { return EncodeJpeg(Gradient(width, height)); }

std::string ToBase64(const Bytes& data) {
  std::string text(4 * ((data.size() + 2) / 3) + 1, '\0');
  const int length = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()), data.data(), static_cast<int>(data.size()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace vantorel::test
