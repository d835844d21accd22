#pragma once
// Cuts a face out upright and at a standard size and position from its
// landmarks, the way the descriptor net expects its input.
#include "ImageSampling.h"
#include "LandmarkNet.h"

namespace vantorel::service {

struct AlignedFace {
  RgbImage chip;           // kChipSize x kChipSize
  double rotationDegrees;  // how far the face is turned clockwise in the picture
};

inline constexpr int kChipSize = 150;

AlignedFace AlignFace(const RgbImage& picture, const Landmarks& landmarks);

}  // namespace vantorel::service
