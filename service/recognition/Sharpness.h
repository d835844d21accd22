#pragma once
// How much fine detail an aligned face shows, to refuse blurred faces.
#include "base/PictureDecoder.h"

namespace vantorel::service {

// The face's finest detail (root mean square of the Laplacian) relative to
// its contrast, so a darker but sharp face still counts as sharp. Sharp
// photos score about 0.15 to 0.6, heavily blurred faces under 0.12.
double FaceSharpness(const RgbImage& chip);

}  // namespace vantorel::service
