#pragma once
// The main window: caption, created event and message loop.
#include <functional>

#include <FL/Fl_Double_Window.H>

#include "base/Text.h"
#include "platform/ui/Container.h"

namespace vantorel::ui {

class Window : public Fl_Double_Window, public Container {
 public:
  // `place` is the window's client area on the screen. `windowClass` is the
  // X class that lets tools find the window.
  Window(Rect place, const Text& caption, const char* windowClass);

  const Text& caption() const { return caption_; }
  void SetCaption(const Text& caption);

  void OnCreated(std::function<void()> handler) { created_ = std::move(handler); }
  // Maps the window, paints it, then runs the created event.
  void Show();
  // Handles events until the window is closed.
  void RunMessageLoop();

 private:
  Text caption_;
  std::function<void()> created_;
};

}  // namespace vantorel::ui
