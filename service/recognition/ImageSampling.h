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

// A square part of a picture, turned by `angle` radians clockwise around its
// centre.
struct Square {
  double centreX = 0;
  double centreY = 0;
  double side = 0;
  double angle = 0;

  // Where the point at fractions (fx, fy) of the square's sides lies.
  void Place(double fx, double fy, double& x, double& y) const;
};

// `square` of `source` scaled to size x size, upright. Large reductions
// average first, so fine detail does not alias.
RgbImage SampleSquare(const RgbImage& source, const Square& square, int size);

// The upright square [left, left + side) x [top, top + side).
RgbImage SampleSquare(const RgbImage& source, double left, double top, double side, int size);

}  // namespace vantorel::service
