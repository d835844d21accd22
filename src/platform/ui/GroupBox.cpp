#include "platform/ui/GroupBox.h"

#include <FL/fl_draw.H>

#include "platform/ui/ToolkitInternal.h"

namespace vantorel::ui {
namespace {
constexpr int kCaptionIndent = 8;
constexpr int kCaptionPadding = 2;
}  // namespace

GroupBox::GroupBox(Rect place, const Text& caption, Backdrop backdrop, Visibility visibility)
    : Fl_Group(place.x, place.y, place.width, place.height), Container(*this, place.x, place.y),
      caption_(LabelText(caption)),
      backdrop_(backdrop) {
  end();
  box(FL_NO_BOX);
  if (visibility == Visibility::Hidden) Fl_Group::hide();
}

void GroupBox::Show() {
  show();
  RepaintArea(*this);
}

void GroupBox::Hide() {
  hide();
  RepaintArea(*this);
}

void GroupBox::draw() {
  if (damage() & ~FL_DAMAGE_CHILD) DrawFrameAndCaption();
  draw_children();
}

// The frame line runs through the middle of the caption, which interrupts it.
void GroupBox::DrawFrameAndCaption() {
  if (backdrop_ == Backdrop::Opaque) fl_rectf(x(), y(), w(), h(), color());
  fl_font(FL_HELVETICA, kDefaultFontSize);
  const int lineY = y() + fl_height() / 2;
  fl_draw_box(FL_ENGRAVED_FRAME, x(), lineY, w(), h() - (lineY - y()), color());
  int captionWidth = 0, captionHeight = 0;
  fl_measure(caption_.c_str(), captionWidth, captionHeight, 0);
  const int captionX = x() + kCaptionIndent;
  fl_rectf(captionX, y(), captionWidth + 2 * kCaptionPadding, fl_height(), color());
  fl_color(FL_FOREGROUND_COLOR);
  fl_draw(caption_.c_str(), captionX + kCaptionPadding, y() + fl_height() - fl_descent());
}

}  // namespace vantorel::ui
