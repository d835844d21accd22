#pragma once
// How much fine detail an aligned face shows, to refuse blurred faces.
#include "base/PictureDecoder.h"

namespace vantorel::service {

// The face's high-frequency energy relative to its contrast, so a darker
// but sharp face still counts as sharp. Sharp photos score around 1 and more,
// heavy blur well under 0.1.
double FaceSharpness(const RgbImage& chip);

}  // namespace vantorel::service
