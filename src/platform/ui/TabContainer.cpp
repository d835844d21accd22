#include "platform/ui/TabContainer.h"

#include <memory>

#include "platform/ui/ToolkitInternal.h"

namespace vantorel::ui {

TabPage::TabPage(Rect pageArea, const Text& caption, int originX, int originY)
    : Fl_Group(pageArea.x, pageArea.y, pageArea.width, pageArea.height), Container(*this, originX, originY) {
  end();
  box(FL_FLAT_BOX);
  copy_label(LabelText(caption).c_str());
  labelsize(kDefaultFontSize);
}

TabContainer::TabContainer(Rect place) : Fl_Tabs(place.x, place.y, place.width, place.height) {
  end();
  box(FL_THIN_UP_BOX);
}

TabPage& TabContainer::AddPage(const Text& caption) {
  Fl_Group::current(nullptr);
  const Rect pageArea{x(), y() + kTabBarHeight, w(), h() - kTabBarHeight};
  auto page = std::make_unique<TabPage>(pageArea, caption, x(), y());
  TabPage& added = *page;
  if (children() > 0) added.hide();
  add(page.release());
  return added;
}

int TabContainer::shownPageIndex() { return value() ? find(value()) : -1; }

void TabContainer::ShowPage(int index) {
  if (index >= 0 && index < children()) value(child(index));
}

}  // namespace vantorel::ui
