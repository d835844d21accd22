#pragma once
// A text on a transparent background: colour, font, left or right aligned,
// centred vertically and clipped to its place.
#include <FL/Fl_Box.H>

#include "base/Text.h"
#include "platform/ui/Toolkit.h"

namespace vantorel::ui {

enum class Alignment { Left, Right };

struct LabelLook {
  Colour colour = kBlack;
  Font font{};
  Alignment alignment = Alignment::Left;
};

class Label : public Fl_Box {
 public:
  Label(Rect place, const Text& text, LabelLook look);

  const Text& text() const { return text_; }
  void SetText(const Text& text);
  Colour colour() const { return look_.colour; }
  const LabelLook& look() const { return look_; }

 private:
  Text text_;
  LabelLook look_;
};

}  // namespace vantorel::ui
