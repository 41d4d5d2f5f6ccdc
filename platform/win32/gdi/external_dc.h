#pragma once
// Device contexts whose pixels live in memory the caller owns, for code that must see
// every pixel of a frame at once (the frame comparisons of the tests). On Windows the DC
// draws into a DIB section with gdi32 itself; the caller's buffer is brought in before
// and updated after each blit, for the rectangles the blit reads and writes.
// Internal to platform/win32.
#include <cstdint>
#include <functional>

#include "platform/gdi.h"

namespace platform::detail {

struct ExternalSurface {
  uint32_t* pixels = nullptr;  // xRGB8888, top row first
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch_pixels = 0;  // pixels from one row to the next
  // Called after every blit into the DC with the changed rectangle (already clipped).
  std::function<void(int32_t x, int32_t y, int32_t w, int32_t h)> on_changed;
};

gdi::Handle CreateExternalDC(ExternalSurface surface);
void DeleteExternalDC(gdi::Handle dc);

// GetDC(window) first asks the resolver (when set); a resolver that returns 0 leaves it to
// user32. ReleaseDC(window, dc) deletes a DC that the resolver created.
using WindowDCResolver = std::function<gdi::Handle(gdi::Handle window)>;
void SetWindowDCResolver(WindowDCResolver resolver);

}  // namespace platform::detail
