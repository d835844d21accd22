#pragma once
// Scaling a decoded picture down into a box.
#include "base/PictureDecoder.h"

namespace vantorel::ui {

// Keeps the aspect ratio and never enlarges; each target pixel averages the
// source pixels it covers, so large photos shrink without aliasing.
RgbImage FitInto(const RgbImage& source, int maxWidth, int maxHeight);

}  // namespace vantorel::ui
