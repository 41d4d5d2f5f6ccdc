#pragma once
// Device contexts whose pixels live in memory someone else owns: the full-screen window's
// surface or a previewed X window (Linux), and the frame comparisons of the tests. Linux
// draws straight into those pixels with the software GDI; Windows draws into a DIB section
// with gdi32 and brings the caller's buffer in before and out after each blit.
#include <cstdint>
#include <functional>

#include "platform/gdi.h"

namespace platform::detail {

struct ExternalSurface {
  uint32_t* pixels = nullptr;  // xRGB8888, top row first
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch_pixels = 0;  // pixels from one row to the next
  // Called after every blit into the DC with the changed rectangle (already clipped), so
  // the owner can present exactly that rectangle.
  std::function<void(int32_t x, int32_t y, int32_t w, int32_t h)> on_changed;
};

// A DC whose selected bitmap is the external surface, in the screen's format. The surface
// must outlive the DC.
gdi::Handle CreateExternalDC(ExternalSurface surface);
void DeleteExternalDC(gdi::Handle dc);

// GetDC(window) first asks the resolver (when set); a resolver that returns 0 leaves the
// platform's default. ReleaseDC(window, dc) deletes a DC that the resolver created.
using WindowDCResolver = std::function<gdi::Handle(gdi::Handle window)>;
void SetWindowDCResolver(WindowDCResolver resolver);

}  // namespace platform::detail
