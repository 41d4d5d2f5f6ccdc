#pragma once
// How the Linux window code gives the software GDI device contexts whose pixels live
// elsewhere: the full-screen SDL window's surface, or an X window that the preview paints.
// Internal to platform/linux.
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
// Points the DC at other pixels, for an owner whose surface moved (a window surface made
// anew at another size); the change callback stays. False, and nothing changed, for an
// invalid surface or handle.
bool RetargetExternalDC(gdi::Handle dc, uint32_t* pixels, int32_t width, int32_t height,
                        int32_t pitch_pixels);
void DeleteExternalDC(gdi::Handle dc);

// GetDC(window) first asks the resolver (when set); a resolver that returns 0 leaves the
// default: the screen's memory DC for 0 and the desktop window, else 0 (no such window).
// ReleaseDC(window, dc) deletes a DC that the resolver created.
using WindowDCResolver = std::function<gdi::Handle(gdi::Handle window)>;
void SetWindowDCResolver(WindowDCResolver resolver);

}  // namespace platform::detail
