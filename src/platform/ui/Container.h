#pragma once
// Controls are placed relative to their parent (the window, the tab container
// or a group box), while FLTK places every widget relative to its window: a
// container knows where its own origin lies in the window and converts.
#include <memory>
#include <utility>

#include <FL/Fl_Group.H>

#include "platform/ui/Toolkit.h"

namespace vantorel::ui {

class Container {
 public:
  // Creates a control at `place` relative to this container's origin; the
  // container owns it from then on.
  template <typename Control, typename... Arguments>
  Control& Add(Rect place, Arguments&&... arguments) {
    Fl_Group::current(nullptr);
    auto control = std::make_unique<Control>(ToWindow(place), std::forward<Arguments>(arguments)...);
    Control& added = *control;
    group_.add(control.release());
    return added;
  }

  // Puts a control of a nested container on top of everything in this one;
  // its place on the window stays.
  void Raise(Fl_Widget& control) { group_.add(control); }

  // The container's origin relative to the window.
  int originX() const { return originX_; }
  int originY() const { return originY_; }
  Rect ToWindow(Rect place) const { return {place.x + originX_, place.y + originY_, place.width, place.height}; }

 protected:
  Container(Fl_Group& group, int originX, int originY) : group_(group), originX_(originX), originY_(originY) {}
  ~Container() = default;

 private:
  Fl_Group& group_;
  int originX_;
  int originY_;
};

}  // namespace vantorel::ui
