// Screen size and layout units: 1440 units an inch, so 15 a pixel at 96 DPI.
#include "win32_api.h"

namespace platform {
namespace {
double UnitsPerPixel(int axis) {
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, axis) : 0;
  if (screen) ::ReleaseDC(nullptr, screen);
  return 1440.0 / (dpi > 0 ? dpi : 96);
}
}  // namespace

int32_t ScreenWidthPixels() {
  return ::GetSystemMetrics(SM_CXSCREEN);
}
int32_t ScreenHeightPixels() {
  return ::GetSystemMetrics(SM_CYSCREEN);
}
double UnitsPerPixelX() {
  return UnitsPerPixel(LOGPIXELSX);
}
double UnitsPerPixelY() {
  return UnitsPerPixel(LOGPIXELSY);
}

}  // namespace platform
