#include "platform/ui/Button.h"

#include "platform/ui/ToolkitInternal.h"

namespace vantorel::ui {

Button::Button(Rect place, const Text& caption)
    : Fl_Button(place.x, place.y, place.width, place.height) {
  copy_label(LabelText(caption).c_str());
  callback([](Fl_Widget*, void* self) { static_cast<Button*>(self)->Click(); }, this);
}

void Button::Click() {
  if (clicked_) clicked_();
}

}  // namespace vantorel::ui
