#include "platform/ui/Label.h"

#include <FL/Fl_Window.H>

#include "platform/ui/ToolkitInternal.h"

namespace vantorel::ui {
namespace {

// A label's text may run past its place on the side it is not aligned to:
// repaint its band of the window from the aligned edge outwards.
void RepaintRow(Fl_Widget& label, Alignment alignment) {
  Fl_Window* window = label.window();
  if (window == nullptr) return;
  if (alignment == Alignment::Left)
    window->damage(FL_DAMAGE_EXPOSE, label.x(), label.y(), window->w() - label.x(), label.h());
  else
    window->damage(FL_DAMAGE_EXPOSE, 0, label.y(), label.x() + label.w(), label.h());
}

}  // namespace

Label::Label(Rect place, const Text& text, LabelLook look)
    : Fl_Box(FL_NO_BOX, place.x, place.y, place.width, place.height, nullptr), look_(look) {
  labelcolor(ToFlColor(look.colour));
  labelfont(ToFlFont(look.font.face));
  labelsize(look.font.size);
  const Fl_Align horizontal = look.alignment == Alignment::Right ? FL_ALIGN_RIGHT : FL_ALIGN_LEFT;
  align(horizontal | FL_ALIGN_INSIDE);
  SetText(text);
}

void Label::SetText(const Text& text) {
  text_ = text;
  copy_label(LabelText(text).c_str());
  RepaintRow(*this, look_.alignment);
}

}  // namespace vantorel::ui
