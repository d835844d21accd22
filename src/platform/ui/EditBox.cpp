#include "platform/ui/EditBox.h"

#include <string_view>

#include <FL/Fl.H>
#include <FL/fl_utf8.h>

#include "platform/codepage/CodePage.h"
#include "platform/ui/ToolkitInternal.h"

namespace vantorel::ui {
namespace {

Fl_Boxtype BoxFor(Border border) {
  switch (border) {
    case Border::Single: return FL_BORDER_BOX;
    case Border::Sunken: return FL_DOWN_BOX;
    case Border::Absent: break;
  }
  return FL_FLAT_BOX;
}

std::size_t Cp936Length(std::string_view utf8) { return FromUtf8(utf8).size(); }

}  // namespace

EditBox::EditBox(Rect place, EditBoxLook look, std::optional<int> maxBytes)
    : Fl_Input(place.x, place.y, place.width, place.height), maxBytes_(maxBytes) {
  if (look.lines == Lines::Multiple) {
    type(FL_MULTILINE_INPUT);
    wrap(1);
  }
  box(BoxFor(look.border));
  textcolor(ToFlColor(look.textColour));
  color(ToFlColor(look.background));
  textfont(ToFlFont(FontFace::Default));
  textsize(kDefaultFontSize);
}

Text EditBox::text() const { return FromUtf8(value()); }

void EditBox::SetText(const Text& text) { value(ToUtf8(text).c_str()); }

int EditBox::handle(int event) {
  const int handled = Fl_Input::handle(event);
  if (maxBytes_ && (event == FL_KEYBOARD || event == FL_PASTE)) TrimInsertedOverflow();
  return handled;
}

// What was just typed or pasted ends at the cursor: drop its last characters
// until the text fits, as a length-limited edit control refuses the excess.
void EditBox::TrimInsertedOverflow() {
  std::string content = value();
  int cursor = position();
  bool trimmed = false;
  while (Cp936Length(content) > static_cast<std::size_t>(*maxBytes_) && cursor > 0) {
    const char* start = content.c_str();
    const char* previous = fl_utf8back(start + cursor - 1, start, start + content.size());
    const int characterStart = static_cast<int>(previous - start);
    content.erase(characterStart, cursor - characterStart);
    cursor = characterStart;
    trimmed = true;
  }
  if (!trimmed) return;
  value(content.c_str());
  position(cursor);
}

}  // namespace vantorel::ui
