// caption_timer SUFFIX PROGRAM [ARGUMENT...]
// Starts PROGRAM and waits, on X events rather than by polling, until one of
// its top-level windows has a caption (_NET_WM_NAME) that ends with SUFFIX.
// Prints "<milliseconds from the start> <pid> <window id>" and leaves the
// program running. Gives up after 30 s.
#include <X11/Xlib.h>
#include <poll.h>
#include <sys/types.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

using Clock = std::chrono::steady_clock;

std::string CaptionOf(Display* display, Window window, Atom nameAtom, Atom utf8) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::string caption;
  if (XGetWindowProperty(display, window, nameAtom, 0, 1024, False, utf8, &type, &format, &count, &remaining, &data) ==
          Success &&
      data != nullptr) {
    caption.assign(reinterpret_cast<char*>(data), count);
  }
  if (data != nullptr) XFree(data);
  return caption;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// Waits for the next X event until the deadline; false when it passed.
bool NextEvent(Display* display, XEvent& event, Clock::time_point deadline) {
  while (XPending(display) == 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(left));
  }
  XNextEvent(display, &event);
  return true;
}

// Short-lived windows may be gone before they are asked about; that is no error here.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: caption_timer SUFFIX PROGRAM [ARGUMENT...]\n");
    return 2;
  }
  const std::string_view suffix = argv[1];
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "caption_timer: no X display\n");
    return 1;
  }
  XSetErrorHandler(IgnoreErrors);
  const Atom nameAtom = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  // New top-level windows are announced to the root window's listeners.
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const auto start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    close(ConnectionNumber(display));
    execv(argv[2], argv + 2);
    _exit(127);
  }
  const auto deadline = start + std::chrono::seconds(30);
  XEvent event;
  while (NextEvent(display, event, deadline)) {
    Window window = None;
    if (event.type == CreateNotify) {
      window = event.xcreatewindow.window;
      // Listen first, then read: a caption set in between is not missed.
      XSelectInput(display, window, PropertyChangeMask);
    } else if (event.type == PropertyNotify && event.xproperty.atom == nameAtom) {
      window = event.xproperty.window;
    }
    if (window == None || !EndsWith(CaptionOf(display, window, nameAtom, utf8), suffix)) continue;
    const auto elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::printf("%.1f %d %lu\n", elapsed, static_cast<int>(child), window);
    XCloseDisplay(display);
    return 0;
  }
  std::fprintf(stderr, "caption_timer: no window captioned \"...%s\" within 30 s\n", argv[1]);
  XCloseDisplay(display);
  return 1;
}
