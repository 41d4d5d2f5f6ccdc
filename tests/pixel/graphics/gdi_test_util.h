#pragma once
// Helpers for the GDI and graphics tests: memory DCs that free themselves, window surfaces,
// patterned fills and pixel snapshots (the .bmp writer is shared with the scene).
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "internal/external_dc.h"
#include "platform/gdi.h"
#include "write_bmp.h"

namespace mt::test {

namespace gdi = platform::gdi;

// A memory DC holding a new bitmap of the given format; freed on destruction.
class MemDC {
 public:
  MemDC(int32_t w, int32_t h, bool mono) : w_(w), h_(h) {
    dc_ = gdi::CreateCompatibleDC(0);
    // A new DC holds a one-bit bitmap, so it is the reference for a one-bit bitmap.
    const gdi::Handle ref = mono ? dc_ : gdi::GetDC(gdi::GetDesktopWindow());
    bitmap_ = gdi::CreateCompatibleBitmap(ref, w, h);
    if (!mono) gdi::ReleaseDC(gdi::GetDesktopWindow(), ref);
    old_ = gdi::SelectObject(dc_, bitmap_);
  }
  ~MemDC() {
    gdi::SelectObject(dc_, old_);
    gdi::DeleteObject(bitmap_);
    gdi::DeleteDC(dc_);
  }
  MemDC(const MemDC&) = delete;
  MemDC& operator=(const MemDC&) = delete;
  gdi::Handle dc() const { return dc_; }
  int32_t w() const { return w_; }
  int32_t h() const { return h_; }

 private:
  gdi::Handle dc_ = 0, bitmap_ = 0, old_ = 0;
  int32_t w_, h_;
};

// A bitmap in the screen's format (the screen's DC as the reference).
inline gdi::Handle ScreenBitmap(int32_t w, int32_t h) {
  const gdi::Handle screen = gdi::GetDC(gdi::GetDesktopWindow());
  const gdi::Handle bitmap = gdi::CreateCompatibleBitmap(screen, w, h);
  gdi::ReleaseDC(gdi::GetDesktopWindow(), screen);
  return bitmap;
}

// A bitmap's bits per pixel; -1 for a handle that is no bitmap (or no longer one).
inline int BitsPerPixel(gdi::Handle bitmap) {
  gdi::BitmapInfo info;
  return gdi::GetObject(bitmap, &info) == 24 ? info.bmBitsPixel : -1;
}

using Pixels = std::vector<gdi::ColorRef>;

inline Pixels Snapshot(gdi::Handle dc, int32_t w, int32_t h) {
  Pixels p(static_cast<size_t>(w) * h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) p[static_cast<size_t>(y) * w + x] = gdi::GetPixel(dc, x, y);
  return p;
}
inline Pixels Snapshot(const MemDC& m) {
  return Snapshot(m.dc(), m.w(), m.h());
}

// Fills with colours drawn from a small palette, so that exact matches (background
// colours, transparent colours) occur often. The generator's sequence is fixed by the
// standard, so every platform draws the same pattern.
inline void FillPattern(gdi::Handle dc, int32_t w, int32_t h, uint32_t seed,
                        const std::vector<gdi::ColorRef>& palette) {
  std::mt19937 random(seed);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) gdi::SetPixel(dc, x, y, palette[random() % palette.size()]);
}

inline void FillSolid(gdi::Handle dc, int32_t w, int32_t h, gdi::ColorRef c) {
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) gdi::SetPixel(dc, x, y, c);
}

// After drawing into the w x h rectangle at (x, y): each pixel inside shows
// want(dx, dy, was) at offset (dx, dy) where it was `was`; each pixel outside is unchanged.
template <typename F>
void ExpectOnlyRectChanged(gdi::Handle dc, int32_t dw, int32_t dh, const Pixels& before, int64_t x,
                           int64_t y, int64_t w, int64_t h, F want) {
  const Pixels after = Snapshot(dc, dw, dh);
  for (int32_t py = 0; py < dh; ++py)
    for (int32_t px = 0; px < dw; ++px) {
      const size_t i = static_cast<size_t>(py) * dw + px;
      const int64_t dx = px - x, dy = py - y;
      const bool inside = dx >= 0 && dx < w && dy >= 0 && dy < h;
      // Inside, the offsets lie in [0, w) and [0, h).
      ASSERT_EQ(after[i], inside
                              ? want(static_cast<int32_t>(dx), static_cast<int32_t>(dy), before[i])
                              : before[i])
          << "pixel " << px << "," << py;
    }
}
template <typename F>
void ExpectOnlyRectChanged(const MemDC& m, const Pixels& before, int64_t x, int64_t y, int64_t w,
                           int64_t h, F want) {
  ExpectOnlyRectChanged(m.dc(), m.w(), m.h(), before, x, y, w, h, want);
}

// A window's surface: an external DC over w x h pixels in rows of `pitch`, recording each
// changed rectangle the GDI reports.
struct FakeWindow {
  FakeWindow(int32_t w, int32_t h, uint32_t fill = 0, int32_t pitch = 0)
      : pixels(static_cast<size_t>(pitch ? pitch : w) * h, fill) {
    surface = {pixels.data(), w, h, pitch ? pitch : w,
               [this](int32_t x, int32_t y, int32_t cw, int32_t ch) {
                 changes.push_back({x, y, cw, ch});
               }};
    dc = platform::detail::CreateExternalDC(surface);
  }
  ~FakeWindow() { platform::detail::DeleteExternalDC(dc); }
  FakeWindow(const FakeWindow&) = delete;
  FakeWindow& operator=(const FakeWindow&) = delete;

  std::vector<uint32_t> pixels;
  std::vector<std::vector<int32_t>> changes;
  platform::detail::ExternalSurface surface;
  gdi::Handle dc = 0;
};

// Runs use(dc) on a memory DC that holds `bitmap` for the time of the call.
template <typename F>
void WithBitmap(gdi::Handle bitmap, F use) {
  const gdi::Handle dc = gdi::CreateCompatibleDC(0);
  const gdi::Handle old = gdi::SelectObject(dc, bitmap);
  use(dc);
  gdi::SelectObject(dc, old);
  gdi::DeleteDC(dc);
}

}  // namespace mt::test
