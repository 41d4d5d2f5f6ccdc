#pragma once
// A pixel buffer of an X window's size that the software GDI draws into, and the X image
// that shows it: every change is put into the window for its rectangle at once. Used for
// windows that belong to someone else (the preview box, the window a screen-saver daemon
// hands us). Internal to platform/linux.
#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "internal/external_dc.h"

namespace platform::detail {

// X reports protocol errors asynchronously through a process-wide handler whose default
// prints and exits. A window we are handed can go at any moment, so every request on it
// runs under this trap, which only remembers the error.
class ErrorTrap {
 public:
  explicit ErrorTrap(Display* display);
  ~ErrorTrap();
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;
  // Sends everything so far and tells whether any of it failed.
  bool Failed();

 private:
  Display* display_;
  XErrorHandler previous_ = nullptr;
};

class X11WindowSurface {
 public:
  // Null when the window does not exist, takes no drawing or has no size.
  static std::unique_ptr<X11WindowSurface> Open(Display* display, Window window);
  ~X11WindowSurface();

  ExternalSurface External();
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  // Puts a rectangle of the buffer into the window; false when the window has gone.
  bool Put(int32_t x, int32_t y, int32_t w, int32_t h);

 private:
  X11WindowSurface() = default;
  void ReadBack();

  Display* display_ = nullptr;
  Window window_ = 0;
  int32_t width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
  XImage* image_ = nullptr;
  GC gc_ = nullptr;
  bool direct_ = false;  // the image's format is the buffer's: rows are copied whole
};

}  // namespace platform::detail
