#pragma once
// A tab container whose pages place their controls relative to the tab
// container itself, tab bar included.
#include <FL/Fl_Group.H>
#include <FL/Fl_Tabs.H>

#include "base/Text.h"
#include "platform/ui/Container.h"

namespace vantorel::ui {

class TabPage : public Fl_Group, public Container {
 public:
  TabPage(Rect pageArea, const Text& caption, int originX, int originY);
};

class TabContainer : public Fl_Tabs {
 public:
  static constexpr int kTabBarHeight = 22;

  explicit TabContainer(Rect place);

  // Pages appear in the order they are added; the first one is shown.
  TabPage& AddPage(const Text& caption);
  int shownPageIndex();
  void ShowPage(int index);
};

}  // namespace vantorel::ui
