#include "platform/ui/ComboBox.h"

#include "platform/ui/ToolkitInternal.h"

namespace vantorel::ui {
namespace {

// FLTK reads a menu item's text as a path: '/' opens a submenu, '&' and '_'
// mark a shortcut or a divider. A backslash makes each of them plain.
std::string MenuItemText(const Text& item) {
  std::string escaped;
  for (char c : LabelText(item)) {
    if (c == '/' || c == '&' || c == '_' || c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

}  // namespace

ComboBox::ComboBox(Rect place, std::initializer_list<Text> items)
    : Fl_Choice(place.x, place.y, place.width, place.height), items_(items) {
  box(FL_DOWN_BOX);
  down_box(FL_BORDER_BOX);
  color(FL_BACKGROUND2_COLOR);
  textsize(kDefaultFontSize);
  for (const Text& item : items_) add(MenuItemText(item).c_str());
  if (!items_.empty()) value(0);
}

void ComboBox::Select(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  value(index);
  redraw();
}

}  // namespace vantorel::ui
