#pragma once
// The tiny YOLO-style face detector: boxes around the faces of a picture.
#include <optional>
#include <string>
#include <vector>

#include "NetLayers.h"
#include "base/PictureDecoder.h"

namespace vantorel::service {

struct FaceBox {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  double score = 0;  // 0 to 1
};

class FaceDetector {
 public:
  // The net finds faces of roughly 50 to 130 pixels in its input: the
  // picture is looked at scaled to a 608 square for the faces of a group
  // photo, and to a 224 square for close-ups.
  static constexpr int kInputSizes[] = {608, 224};
  static constexpr double kMinScore = 0.4;

  static std::optional<FaceDetector> Load(const std::string& modelDir);

  // Faces found in `picture`, in its pixel coordinates, best first.
  std::vector<FaceBox> Detect(const RgbImage& picture) const;

  // The raw grid output (cells x cells x 25) for a square input whose side is
  // a multiple of 32.
  Tensor Forward(const RgbImage& square) const;

 private:
  // Appends the boxes of the grid cells that hold a face.
  static void Decode(const Tensor& grid, double cellSize, std::vector<FaceBox>& boxes);

  Convolution first_;
  std::vector<SeparableConvolution> separables_;
  Convolution output_;
};

}  // namespace vantorel::service
