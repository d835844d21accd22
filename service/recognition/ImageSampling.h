#pragma once
// Cutting, scaling and rotating parts of a picture for the nets' inputs.
#include "base/PictureDecoder.h"

namespace vantorel::service {

// Where an output pixel's centre comes from in the source:
// source = (xx * x + xy * y + x0, yx * x + yy * y + y0), pixel centres at
// integer coordinates.
struct AffineMap {
  double xx = 1, xy = 0, x0 = 0;
  double yx = 0, yy = 1, y0 = 0;
};

// Bilinear sampling; what falls outside the source is black.
RgbImage Sample(const RgbImage& source, const AffineMap& outputToSource, int width, int height);

// The square [left, left + side) x [top, top + side) of `source` scaled to
// size x size. Large reductions average first, so fine detail does not alias.
RgbImage SampleSquare(const RgbImage& source, double left, double top, double side, int size);

}  // namespace vantorel::service
