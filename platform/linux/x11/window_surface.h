#pragma once
// A pixel buffer of an X window's size that the software GDI draws into, and the X image
// that shows it: each change is put into the window for its rectangle, at once or, for a
// window animated frame by frame, all of a frame's together. Used for windows that belong
// to someone else (the preview box, the window a screen-saver daemon hands us). Internal
// to platform/linux.
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "gdi/dirty_region.h"
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
  // Null when the window does not exist, takes no drawing or has no size. A `shared`
  // surface hands its pixels to the server through shared memory where the server offers
  // it (a local one): a frame's puts then carry no pixels over the connection.
  static std::unique_ptr<X11WindowSurface> Open(Display* display, Window window,
                                                bool shared = false);
  ~X11WindowSurface();

  // The buffer for a DC. Changes reach the window at once, or, when `deferred`, only when
  // Present is called.
  ExternalSurface External(bool deferred = false);
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  // Puts a rectangle of the buffer into the window; false when the window has gone.
  bool Put(int32_t x, int32_t y, int32_t w, int32_t h);
  // Notes a rectangle for the next Present.
  void Note(int32_t x, int32_t y, int32_t w, int32_t h) { dirty_.Add(x, y, w, h); }
  // Puts every rectangle noted since the last call, under one error check; false when
  // the window has gone.
  bool Present();

 private:
  X11WindowSurface() = default;
  void ReadBack();
  void CopyToImage(int32_t x, int32_t y, int32_t w, int32_t h);
  void PutImage(int32_t x, int32_t y, int32_t w, int32_t h);
  void AttachSharedImage(Visual* visual, int depth);

  Display* display_ = nullptr;
  Window window_ = 0;
  int32_t width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
  XImage* image_ = nullptr;
  std::unique_ptr<XShmSegmentInfo> shm_;  // set when image_ lies in shared memory
  GC gc_ = nullptr;
  bool direct_ = false;  // the image's format is the buffer's: rows are copied whole
  DirtyRegion dirty_;
};

}  // namespace platform::detail
