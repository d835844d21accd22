#pragma once
// Pictures for the recognition tests, made at run time from the sample
// photos with ImageMagick: one picture per face, and altered copies.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/PictureDecoder.h"
#include "service/recognition/FaceDetector.h"

namespace vantorel::service::testing {

inline Bytes ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), {});
}

// A fresh folder removed with everything in it at the end.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vantorel-faces-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// Runs `convert <arguments>`; true when it succeeded.
inline bool Convert(const std::string& arguments) {
  return std::system(("convert " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

struct SampleFace {
  std::string name;  // "sample<N>-face<K>"
  std::string file;  // the face cut out of its photo with a quarter of its size around it
};

// Up to `perPhoto` faces of each of the sample photos `photos` (1 to 6), in
// the detector's order.
inline std::vector<SampleFace> CutOutSampleFaces(const FaceDetector& detector, const std::string& folder,
                                                 const std::vector<int>& photos, int perPhoto) {
  std::vector<SampleFace> faces;
  for (int photo : photos) {
    const std::string path = std::string(VANTOREL_FACE_SAMPLES_DIR) + "/sample" + std::to_string(photo) + ".jpg";
    const auto picture = DecodePicture(ReadBytes(path));
    if (!picture) continue;
    int taken = 0;
    for (const FaceBox& box : detector.Detect(*picture)) {
      if (taken == perPhoto) break;
      const int left = std::max(0, static_cast<int>(box.left - box.width / 4));
      const int top = std::max(0, static_cast<int>(box.top - box.height / 4));
      const int width = std::min(picture->width - left, static_cast<int>(box.width * 1.5));
      const int height = std::min(picture->height - top, static_cast<int>(box.height * 1.5));
      SampleFace face{"sample" + std::to_string(photo) + "-face" + std::to_string(taken), ""};
      face.file = folder + "/" + face.name + ".jpg";
      const std::string crop = std::to_string(width) + "x" + std::to_string(height) + "+" + std::to_string(left) +
                               "+" + std::to_string(top);
      if (!Convert(path + " -crop " + crop + " +repage " + face.file)) continue;
      faces.push_back(face);
      ++taken;
    }
  }
  return faces;
}

}  // namespace vantorel::service::testing
