#pragma once
// A drop-down list that cannot be edited; its first item is selected at creation.
#include <initializer_list>
#include <vector>

#include <FL/Fl_Choice.H>

#include "base/Text.h"
#include "platform/ui/Toolkit.h"

namespace vantorel::ui {

class ComboBox : public Fl_Choice {
 public:
  ComboBox(Rect place, std::initializer_list<Text> items);

  // 0-based; -1 when nothing is selected.
  int selectedIndex() const { return value(); }
  void Select(int index);
  const std::vector<Text>& items() const { return items_; }

 private:
  std::vector<Text> items_;
};

}  // namespace vantorel::ui
