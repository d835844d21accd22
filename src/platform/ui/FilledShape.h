#pragma once
// A rectangle with a thin outline, filled with one colour: the status lights.
#include <FL/Fl_Box.H>

#include "platform/ui/Toolkit.h"

namespace vantorel::ui {

class FilledShape : public Fl_Box {
 public:
  FilledShape(Rect place, Colour fill);

  Colour fillColour() const { return fill_; }
  void SetFillColour(Colour fill);

 private:
  Colour fill_;
};

}  // namespace vantorel::ui
