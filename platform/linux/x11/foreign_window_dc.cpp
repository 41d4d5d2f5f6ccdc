// Device contexts for X windows owned by someone else (the preview box). Each DC draws
// into a pixel buffer of the window's size (at most the screen's); every blit is put into the
// window for the changed rectangle at once, so nothing depends on our ever seeing an Expose.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "core/message_pump.h"
#include "gdi/external_dc.h"
#include "platform/foreign_window.h"

namespace platform {
namespace {

// X reports protocol errors asynchronously through a process-wide handler whose default
// prints and exits. The preview is handed a window id it cannot check in advance, so every
// request on a foreign window runs under this handler, which only remembers the error.
int g_last_error = 0;
int RememberError(Display*, XErrorEvent* event) {
  g_last_error = event->error_code;
  return 0;
}

class ErrorTrap {
 public:
  explicit ErrorTrap(Display* display) : display_(display) {
    XSync(display_, False);
    g_last_error = 0;
    previous_ = XSetErrorHandler(RememberError);
  }
  ~ErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
  }
  // Sends everything so far and tells whether any of it failed.
  bool Failed() {
    XSync(display_, False);
    return g_last_error != 0;
  }

 private:
  Display* display_;
  XErrorHandler previous_ = nullptr;
};

Display* g_display = nullptr;

// One window's DC: the pixel buffer the software GDI draws into and the X image that
// shows it to the server.
class ForeignWindowSurface {
 public:
  static std::unique_ptr<ForeignWindowSurface> Open(Window window) {
    ErrorTrap trap(g_display);
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(g_display, window, &attributes) || trap.Failed()) return nullptr;
    if (attributes.c_class == InputOnly || attributes.width <= 0 || attributes.height <= 0) {
      return nullptr;
    }
    auto surface = std::unique_ptr<ForeignWindowSurface>(new ForeignWindowSurface());
    surface->window_ = window;
    // The window belongs to someone else and may be far larger than anything we paint (X
    // allows 32767 x 32767). Our buffers cover at most a screen's worth of its top-left
    // corner; blits beyond that are clipped away.
    surface->width_ = std::min(attributes.width, std::max(1, WidthOfScreen(attributes.screen)));
    surface->height_ = std::min(attributes.height, std::max(1, HeightOfScreen(attributes.screen)));
    surface->pixels_.assign(static_cast<size_t>(surface->width_) * surface->height_, 0);
    surface->image_ = XCreateImage(
        g_display, attributes.visual, static_cast<unsigned>(attributes.depth), ZPixmap, 0, nullptr,
        static_cast<unsigned>(surface->width_), static_cast<unsigned>(surface->height_), 32, 0);
    if (surface->image_ == nullptr) return nullptr;
    surface->image_->data = static_cast<char*>(
        std::calloc(static_cast<size_t>(surface->image_->bytes_per_line), surface->height_));
    surface->gc_ = XCreateGC(g_display, window, 0, nullptr);
    if (surface->image_->data == nullptr || trap.Failed()) return nullptr;
    surface->ReadBack();
    return surface;
  }

  ~ForeignWindowSurface() {
    if (image_ != nullptr) XDestroyImage(image_);  // frees the data too
    if (gc_ != nullptr) XFreeGC(g_display, gc_);
  }

  detail::ExternalSurface External() {
    detail::ExternalSurface s;
    s.pixels = pixels_.data();
    s.width = width_;
    s.height = height_;
    s.pitch_pixels = width_;
    s.on_changed = [this](int32_t x, int32_t y, int32_t w, int32_t h) { Put(x, y, w, h); };
    return s;
  }

 private:
  ForeignWindowSurface() = default;

  // Starts from what the window shows, so that raster operations that read the
  // destination see its pixels. A window that is not mapped has nothing to read; it then
  // starts black.
  void ReadBack() {
    ErrorTrap trap(g_display);
    XImage* shown = XGetImage(g_display, window_, 0, 0, static_cast<unsigned>(width_),
                              static_cast<unsigned>(height_), AllPlanes, ZPixmap);
    if (shown == nullptr || trap.Failed()) {
      if (shown != nullptr) XDestroyImage(shown);
      return;
    }
    for (int32_t y = 0; y < height_; ++y) {
      for (int32_t x = 0; x < width_; ++x) {
        pixels_[static_cast<size_t>(y) * width_ + x] = ToRgb(shown, XGetPixel(shown, x, y));
      }
    }
    XDestroyImage(shown);
  }

  static int Shift(unsigned long mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
      mask >>= 1;
      ++shift;
    }
    return shift;
  }
  static int Bits(unsigned long mask) {
    int bits = 0;
    for (mask >>= Shift(mask); mask & 1; mask >>= 1) ++bits;
    return bits;
  }
  // One 8-bit channel into or out of a visual's mask (5-, 6- or 8-bit channels alike).
  static unsigned long Encode(uint32_t channel, unsigned long mask) {
    const int bits = Bits(mask);
    if (bits == 0) return 0;
    return (static_cast<unsigned long>(channel >> (8 - bits)) << Shift(mask)) & mask;
  }
  static uint32_t Decode(unsigned long pixel, unsigned long mask) {
    const int bits = Bits(mask);
    if (bits == 0) return 0;
    uint32_t value = static_cast<uint32_t>((pixel & mask) >> Shift(mask));
    if (bits >= 8) return value >> (bits - 8);
    const uint32_t widened = value << (8 - bits);
    return widened | (widened >> bits);
  }
  static uint32_t ToRgb(XImage* image, unsigned long pixel) {
    return Decode(pixel, image->red_mask) << 16 | Decode(pixel, image->green_mask) << 8 |
           Decode(pixel, image->blue_mask);
  }

  void Put(int32_t x, int32_t y, int32_t w, int32_t h) {
    for (int32_t row = y; row < y + h; ++row) {
      for (int32_t col = x; col < x + w; ++col) {
        const uint32_t rgb = pixels_[static_cast<size_t>(row) * width_ + col];
        XPutPixel(image_, col, row,
                  Encode((rgb >> 16) & 0xFF, image_->red_mask) |
                      Encode((rgb >> 8) & 0xFF, image_->green_mask) |
                      Encode(rgb & 0xFF, image_->blue_mask));
      }
    }
    ErrorTrap trap(g_display);  // the window may have gone since the DC was made
    XPutImage(g_display, window_, gc_, image_, x, y, x, y, static_cast<unsigned>(w),
              static_cast<unsigned>(h));
  }

  Window window_ = 0;
  int32_t width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
  XImage* image_ = nullptr;
  GC gc_ = nullptr;
};

// The DCs handed out. ReleaseDC deletes the DC but cannot tell us, so each surface stays
// until the process ends; the preview makes exactly one.
std::vector<std::unique_ptr<ForeignWindowSurface>>& Surfaces() {
  static std::vector<std::unique_ptr<ForeignWindowSurface>> surfaces;
  return surfaces;
}

gdi::Handle ResolveForeignWindow(gdi::Handle handle) {
  if (g_display == nullptr) return 0;
  const Window window = handle == 0 ? DefaultRootWindow(g_display) : static_cast<Window>(handle);
  auto surface = ForeignWindowSurface::Open(window);
  if (!surface) return 0;
  const gdi::Handle dc = detail::CreateExternalDC(surface->External());
  if (dc != 0) Surfaces().push_back(std::move(surface));
  return dc;
}

}  // namespace

void EnableForeignWindowDCs() {
  if (g_display != nullptr) return;
  g_display = XOpenDisplay(nullptr);
  if (g_display == nullptr) return;  // no X server: GetDC keeps its defaults
  detail::SetWindowDCResolver(ResolveForeignWindow);
  detail::AddExitHook([] {
    // Everything put into the foreign window must reach the server before we go.
    detail::SetWindowDCResolver(nullptr);
    Surfaces().clear();
    XCloseDisplay(g_display);
    g_display = nullptr;
  });
}

}  // namespace platform
