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
  // The picture is looked at scaled to each of these squares, from one that
  // suits the faces of a group photo to one for close-ups. Each size only
  // contributes faces of a size its boxes are reliable for (see Detect).
  static constexpr int kInputSizes[] = {608, 320, 160};
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
