// Whole-rectangle pixel reads for tests and tools.
#include "gdi/objects.h"
#include "platform/gdi.h"

namespace platform::gdi {

void ReadPixels(Handle dc, int32_t x, int32_t y, int32_t width, int32_t height, ColorRef* out) {
  using detail::soft::Bitmap;
  Bitmap* bitmap = detail::soft::SelectedBitmap(detail::soft::Table().FindDc(dc));
  for (int32_t row = 0; row < height; ++row) {
    const int64_t sy = int64_t{y} + row;
    for (int32_t col = 0; col < width; ++col) {
      const int64_t sx = int64_t{x} + col;
      ColorRef value = 0xFFFFFFFF;
      if (bitmap && sx >= 0 && sy >= 0 && sx < bitmap->width && sy < bitmap->height) {
        const auto ix = static_cast<int32_t>(sx);
        const auto iy = static_cast<int32_t>(sy);
        value = bitmap->mono ? (bitmap->MonoRow(iy)[ix] ? 0x00FFFFFFu : 0u)
                             : detail::soft::ColorRefFromPixel(bitmap->ColourRow(iy)[ix]);
      }
      *out++ = value;
    }
  }
}

}  // namespace platform::gdi
