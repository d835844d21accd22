#pragma once
// A captioned frame around controls that can be shown and hidden. An opaque
// group box hides what lies beneath it, as the error areas do.
#include <string>

#include <FL/Fl_Group.H>

#include "base/Text.h"
#include "platform/ui/Container.h"

namespace vantorel::ui {

enum class Backdrop { Transparent, Opaque };
enum class Visibility { Shown, Hidden };

class GroupBox : public Fl_Group, public Container {
 public:
  GroupBox(Rect place, const Text& caption, Backdrop backdrop = Backdrop::Transparent,
           Visibility visibility = Visibility::Shown);

  bool isShown() const { return visible() != 0; }
  void Show();
  void Hide();

 private:
  void draw() override;
  void DrawFrameAndCaption();

  std::string caption_;
  Backdrop backdrop_;
};

}  // namespace vantorel::ui
