#pragma once
// Linux only: a window surface made anew at another size moves its pixels.
#include "internal/external_dc.h"

namespace platform::detail {

// Points the DC at other pixels; the change callback stays. False, and nothing changed,
// for an invalid surface or handle.
bool RetargetExternalDC(gdi::Handle dc, uint32_t* pixels, int32_t width, int32_t height,
                        int32_t pitch_pixels);

}  // namespace platform::detail
