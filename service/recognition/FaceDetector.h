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
  // The picture is scaled to this square before detection; larger finds
  // smaller faces and costs more.
  static constexpr int kInputSize = 608;
  static constexpr double kMinScore = 0.4;

  static std::optional<FaceDetector> Load(const std::string& modelDir);

  // Faces found in `picture`, in its pixel coordinates, best first.
  std::vector<FaceBox> Detect(const RgbImage& picture) const;

  // The raw grid output (cells x cells x 25) for a square input whose side is
  // a multiple of 32.
  Tensor Forward(const RgbImage& square) const;

 private:
  std::vector<FaceBox> Decode(const Tensor& grid, double inputToPicture) const;

  Convolution first_;
  std::vector<SeparableConvolution> separables_;
  Convolution output_;
};

}  // namespace vantorel::service
