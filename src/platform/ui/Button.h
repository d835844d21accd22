#pragma once
#include <functional>

#include <FL/Fl_Button.H>

#include "base/Text.h"
#include "platform/ui/Toolkit.h"

namespace vantorel::ui {

class Button : public Fl_Button {
 public:
  Button(Rect place, const Text& caption);

  void OnClicked(std::function<void()> handler) { clicked_ = std::move(handler); }
  // What a click does, for tests without a display.
  void Click();

 private:
  std::function<void()> clicked_;
};

}  // namespace vantorel::ui
