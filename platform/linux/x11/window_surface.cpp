#include "x11/window_surface.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace platform::detail {
namespace {

int g_last_error = 0;
int RememberError(Display*, XErrorEvent* event) {
  g_last_error = event->error_code;
  return 0;
}

int Shift(unsigned long mask) {
  int shift = 0;
  while (mask != 0 && (mask & 1) == 0) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}
int Bits(unsigned long mask) {
  int bits = 0;
  for (mask >>= Shift(mask); mask & 1; mask >>= 1) ++bits;
  return bits;
}
// One 8-bit channel into or out of a visual's mask (5-, 6- or 8-bit channels alike).
unsigned long Encode(uint32_t channel, unsigned long mask) {
  const int bits = Bits(mask);
  if (bits == 0) return 0;
  return (static_cast<unsigned long>(channel >> (8 - bits)) << Shift(mask)) & mask;
}
uint32_t Decode(unsigned long pixel, unsigned long mask) {
  const int bits = Bits(mask);
  if (bits == 0) return 0;
  uint32_t value = static_cast<uint32_t>((pixel & mask) >> Shift(mask));
  if (bits >= 8) return value >> (bits - 8);
  const uint32_t widened = value << (8 - bits);
  return widened | (widened >> bits);
}
uint32_t ToRgb(XImage* image, unsigned long pixel) {
  return Decode(pixel, image->red_mask) << 16 | Decode(pixel, image->green_mask) << 8 |
         Decode(pixel, image->blue_mask);
}

}  // namespace

ErrorTrap::ErrorTrap(Display* display) : display_(display) {
  XSync(display_, False);
  g_last_error = 0;
  previous_ = XSetErrorHandler(RememberError);
}

ErrorTrap::~ErrorTrap() {
  XSync(display_, False);
  XSetErrorHandler(previous_);
}

bool ErrorTrap::Failed() {
  XSync(display_, False);
  return g_last_error != 0;
}

std::unique_ptr<X11WindowSurface> X11WindowSurface::Open(Display* display, Window window,
                                                         bool shared) {
  ErrorTrap trap(display);
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display, window, &attributes) || trap.Failed()) return nullptr;
  if (attributes.c_class == InputOnly || attributes.width <= 0 || attributes.height <= 0) {
    return nullptr;
  }
  auto surface = std::unique_ptr<X11WindowSurface>(new X11WindowSurface());
  surface->display_ = display;
  surface->window_ = window;
  // The window belongs to someone else and may be far larger than anything we paint (X
  // allows 32767 x 32767). Our buffers cover at most a screen's worth of its top-left
  // corner; blits beyond that are clipped away.
  surface->width_ = std::min(attributes.width, std::max(1, WidthOfScreen(attributes.screen)));
  surface->height_ = std::min(attributes.height, std::max(1, HeightOfScreen(attributes.screen)));
  surface->pixels_.assign(static_cast<size_t>(surface->width_) * surface->height_, 0);
  surface->image_ = XCreateImage(
      display, attributes.visual, static_cast<unsigned>(attributes.depth), ZPixmap, 0, nullptr,
      static_cast<unsigned>(surface->width_), static_cast<unsigned>(surface->height_), 32, 0);
  if (surface->image_ == nullptr) return nullptr;
  surface->image_->data = static_cast<char*>(
      std::calloc(static_cast<size_t>(surface->image_->bytes_per_line), surface->height_));
  surface->gc_ = XCreateGC(display, window, 0, nullptr);
  if (surface->image_->data == nullptr || trap.Failed()) return nullptr;
  if (shared) surface->AttachSharedImage(attributes.visual, attributes.depth);
  const XImage& image = *surface->image_;
  surface->direct_ = image.bits_per_pixel == 32 && image.byte_order == LSBFirst &&
                     image.red_mask == 0xFF0000 && image.green_mask == 0xFF00 &&
                     image.blue_mask == 0xFF;
  surface->ReadBack();
  surface->dirty_.SetBounds(surface->width_, surface->height_);
  return surface;
}

// Replaces the plain image by one in a shared memory segment, when the server can attach
// it; otherwise the plain image stays and nothing changes.
void X11WindowSurface::AttachSharedImage(Visual* visual, int depth) {
  if (!XShmQueryExtension(display_)) return;
  auto shm = std::make_unique<XShmSegmentInfo>();
  XImage* image =
      XShmCreateImage(display_, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, shm.get(),
                      static_cast<unsigned>(width_), static_cast<unsigned>(height_));
  if (image == nullptr) return;
  const size_t bytes = static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(height_);
  shm->shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  void* memory = shm->shmid < 0 ? reinterpret_cast<void*>(-1) : shmat(shm->shmid, nullptr, 0);
  bool attached = false;
  if (memory != reinterpret_cast<void*>(-1)) {
    shm->shmaddr = image->data = static_cast<char*>(memory);
    shm->readOnly = False;
    ErrorTrap trap(display_);  // a server elsewhere cannot reach our memory
    XShmAttach(display_, shm.get());
    attached = !trap.Failed();
  }
  // The segment goes once both sides have let it go.
  if (shm->shmid >= 0) shmctl(shm->shmid, IPC_RMID, nullptr);
  if (!attached) {
    if (memory != reinterpret_cast<void*>(-1)) shmdt(memory);
    image->data = nullptr;
    XDestroyImage(image);
    return;
  }
  XDestroyImage(image_);
  image_ = image;
  shm_ = std::move(shm);
}

X11WindowSurface::~X11WindowSurface() {
  if (shm_) {
    XShmDetach(display_, shm_.get());
    XSync(display_, False);
    image_->data = nullptr;  // not ours to free: the segment is detached below
    XDestroyImage(image_);
    shmdt(shm_->shmaddr);
    image_ = nullptr;
  }
  if (image_ != nullptr) XDestroyImage(image_);  // frees the data too
  if (gc_ != nullptr) XFreeGC(display_, gc_);
}

ExternalSurface X11WindowSurface::External(bool deferred) {
  ExternalSurface s;
  s.pixels = pixels_.data();
  s.width = width_;
  s.height = height_;
  s.pitch_pixels = width_;
  if (deferred) {
    s.on_changed = [this](int32_t x, int32_t y, int32_t w, int32_t h) { Note(x, y, w, h); };
  } else {
    s.on_changed = [this](int32_t x, int32_t y, int32_t w, int32_t h) { Put(x, y, w, h); };
  }
  return s;
}

// Starts from what the window shows, so that raster operations that read the destination
// see its pixels. A window that is not mapped has nothing to read; it then starts black.
void X11WindowSurface::ReadBack() {
  ErrorTrap trap(display_);
  XImage* shown = XGetImage(display_, window_, 0, 0, static_cast<unsigned>(width_),
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

void X11WindowSurface::CopyToImage(int32_t x, int32_t y, int32_t w, int32_t h) {
  for (int32_t row = y; row < y + h; ++row) {
    const uint32_t* from = &pixels_[static_cast<size_t>(row) * width_ + x];
    if (direct_) {
      std::memcpy(image_->data + static_cast<size_t>(row) * image_->bytes_per_line + x * 4, from,
                  static_cast<size_t>(w) * 4);
      continue;
    }
    for (int32_t col = 0; col < w; ++col) {
      const uint32_t rgb = from[col];
      XPutPixel(image_, x + col, row,
                Encode((rgb >> 16) & 0xFF, image_->red_mask) |
                    Encode((rgb >> 8) & 0xFF, image_->green_mask) |
                    Encode(rgb & 0xFF, image_->blue_mask));
    }
  }
}

bool X11WindowSurface::Put(int32_t x, int32_t y, int32_t w, int32_t h) {
  if (w <= 0 || h <= 0) return true;
  CopyToImage(x, y, w, h);
  ErrorTrap trap(display_);  // the window may have gone since the DC was made
  PutImage(x, y, w, h);
  return !trap.Failed();
}

void X11WindowSurface::PutImage(int32_t x, int32_t y, int32_t w, int32_t h) {
  if (shm_) {
    XShmPutImage(display_, window_, gc_, image_, x, y, x, y, static_cast<unsigned>(w),
                 static_cast<unsigned>(h), False);
  } else {
    XPutImage(display_, window_, gc_, image_, x, y, x, y, static_cast<unsigned>(w),
              static_cast<unsigned>(h));
  }
}

bool X11WindowSurface::Present() {
  const std::vector<DirtyRect> rects = dirty_.Take();
  if (rects.empty()) return true;
  ErrorTrap trap(display_);  // the window may have gone since the last frame
  for (const DirtyRect& r : rects) {
    CopyToImage(r.x, r.y, r.w, r.h);
    PutImage(r.x, r.y, r.w, r.h);
  }
  // The check waits for the server, which has then read the shared image: the next
  // frame may write into it.
  return !trap.Failed();
}

}  // namespace platform::detail
