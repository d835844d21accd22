#include "platform/ui/FilledShape.h"

#include "platform/ui/ToolkitInternal.h"

namespace vantorel::ui {

FilledShape::FilledShape(Rect place, Colour fill)
    : Fl_Box(FL_BORDER_BOX, place.x, place.y, place.width, place.height, nullptr) {
  SetFillColour(fill);
}

void FilledShape::SetFillColour(Colour fill) {
  fill_ = fill;
  color(ToFlColor(fill));
  RepaintArea(*this);
}

}  // namespace vantorel::ui
