#include "platform/ui/Window.h"

#include <FL/Fl.H>

#include "platform/codepage/CodePage.h"

namespace vantorel::ui {
namespace {

// FLTK closes a window on Escape; a desktop program's main window closes
// only from its frame.
void CloseUnlessEscape(Fl_Widget* widget, void*) {
  if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
  widget->hide();
}

}  // namespace

Window::Window(Rect place, const Text& caption, const char* windowClass)
    : Fl_Double_Window(place.x, place.y, place.width, place.height), Container(*this, 0, 0) {
  end();
  xclass(windowClass);
  callback(CloseUnlessEscape);
  SetCaption(caption);
}

void Window::SetCaption(const Text& caption) {
  caption_ = caption;
  copy_label(ToUtf8(caption).c_str());
}

void Window::Show() {
  show();
  wait_for_expose();
  Fl::flush();
  if (created_) created_();
}

void Window::RunMessageLoop() {
  while (shown()) Fl::wait();
}

}  // namespace vantorel::ui
