#include "platform/ui/PictureBox.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include "base/PictureDecoder.h"
#include "platform/ui/PictureFit.h"
#include "platform/ui/ToolkitInternal.h"

namespace vantorel::ui {

PictureBox::PictureBox(Rect place, Border border)
    : Fl_Box(border == Border::Absent ? FL_NO_BOX : FL_BORDER_BOX, place.x, place.y, place.width, place.height,
             nullptr) {}

PictureBox::~PictureBox() = default;

void PictureBox::SetPicture(const Bytes& picture) {
  picture_ = picture;
  shown_.reset();
  shownPixels_.clear();
  if (auto decoded = DecodePicture(picture_)) {
    RgbImage fitted = FitInto(*decoded, w() - Fl::box_dw(box()), h() - Fl::box_dh(box()));
    shownPixels_ = std::move(fitted.pixels);
    shown_ = std::make_unique<Fl_RGB_Image>(shownPixels_.data(), fitted.width, fitted.height, 3);
  }
  RepaintArea(*this);
}

void PictureBox::draw() {
  draw_box();
  if (!shown_) return;
  const int innerX = x() + Fl::box_dx(box()), innerY = y() + Fl::box_dy(box());
  const int innerWidth = w() - Fl::box_dw(box()), innerHeight = h() - Fl::box_dh(box());
  fl_push_clip(innerX, innerY, innerWidth, innerHeight);
  shown_->draw(innerX + (innerWidth - shown_->w()) / 2, innerY + (innerHeight - shown_->h()) / 2);
  fl_pop_clip();
}

}  // namespace vantorel::ui
