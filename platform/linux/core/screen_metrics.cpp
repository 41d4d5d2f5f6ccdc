// Screen metrics from the X server. One layout unit is one pixel on Linux.
#include <X11/Xlib.h>

#include "platform/window.h"

namespace platform {
namespace {
struct ScreenSize {
  int32_t width = 0, height = 0;
};

ScreenSize QueryScreen() {
  ScreenSize size;
  if (Display* display = XOpenDisplay(nullptr)) {
    int screen = DefaultScreen(display);
    size.width = DisplayWidth(display, screen);
    size.height = DisplayHeight(display, screen);
    XCloseDisplay(display);
  }
  return size;
}

const ScreenSize& Screen() {
  static const ScreenSize size = QueryScreen();
  return size;
}
}  // namespace

int32_t ScreenWidthPixels() { return Screen().width; }
int32_t ScreenHeightPixels() { return Screen().height; }
double UnitsPerPixelX() { return 1.0; }
double UnitsPerPixelY() { return 1.0; }

}  // namespace platform
