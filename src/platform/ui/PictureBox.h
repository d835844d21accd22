#pragma once
// Keeps the bytes of a picture file and shows the picture they encode,
// scaled down to fit and centred. Bytes that are no JPEG or PNG picture are
// kept all the same and show an empty box.
#include <memory>
#include <vector>

#include <FL/Fl_Box.H>
#include <FL/Fl_RGB_Image.H>

#include "base/Text.h"
#include "platform/ui/Toolkit.h"

namespace vantorel::ui {

class PictureBox : public Fl_Box {
 public:
  PictureBox(Rect place, Border border);
  ~PictureBox() override;

  const Bytes& picture() const { return picture_; }
  // Empty bytes empty the box.
  void SetPicture(const Bytes& picture);
  // The shown image; nothing when the box is empty or the bytes do not decode.
  const Fl_RGB_Image* shownImage() const { return shown_.get(); }

 private:
  void draw() override;

  Bytes picture_;
  std::unique_ptr<Fl_RGB_Image> shown_;
  std::vector<std::uint8_t> shownPixels_;  // the image data Fl_RGB_Image points into
};

}  // namespace vantorel::ui
