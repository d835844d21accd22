#pragma once
// What the controls share inside this library: FLTK colours and fonts of our
// own values, and repainting that keeps overlapping controls in order.
#include <string>

#include <FL/Enumerations.H>

#include "base/Text.h"
#include "platform/ui/Toolkit.h"

class Fl_Widget;

namespace vantorel::ui {

Fl_Color ToFlColor(Colour colour);
Fl_Font ToFlFont(FontFace face);

// Repaints the widget's rectangle of its window with everything in it, in
// stacking order, so a control that lies under another never paints over it.
void RepaintArea(Fl_Widget& widget);

// FLTK reads '@' in labels as the start of a symbol; shown texts mean it literally.
std::string LabelText(const Text& text);

}  // namespace vantorel::ui
