// Whole-rectangle pixel reads for tests and tools. Tests compare whole screens after every
// frame, so the rows inside the surface are read in a tight loop.
#include <algorithm>
#include <cstring>

#include "gdi/objects.h"
#include "platform/gdi.h"

namespace platform::gdi {

void ReadPixels(Handle dc, int32_t x, int32_t y, int32_t width, int32_t height, ColorRef* out) {
  using detail::soft::Bitmap;
  Bitmap* bitmap = detail::soft::SelectedBitmap(detail::soft::Table().FindDc(dc));
  for (int32_t row = 0; row < height; ++row, out += width) {
    const int64_t sy = int64_t{y} + row;
    const bool row_inside = bitmap && sy >= 0 && sy < bitmap->height;
    for (int32_t col = 0; col < width; ++col) {
      const int64_t sx = int64_t{x} + col;
      if (!row_inside || sx < 0 || sx >= bitmap->width) {
        out[col] = 0xFFFFFFFF;
        continue;
      }
      // The run of this row that lies inside the surface, at once.
      const auto iy = static_cast<int32_t>(sy);
      const auto from = static_cast<int32_t>(sx);
      const int32_t n = static_cast<int32_t>(std::min<int64_t>(width - col, bitmap->width - sx));
      if (bitmap->mono) {
        const uint8_t* src = bitmap->MonoRow(iy) + from;
        for (int32_t i = 0; i < n; ++i) out[col + i] = src[i] ? 0x00FFFFFFu : 0u;
      } else {
        const uint32_t* src = bitmap->ColourRow(iy) + from;
        ColorRef* dst = out + col;
        int32_t i = 0;
        // 0x00RRGGBB to 0x00BBGGRR, four pixels a step.
        typedef uint32_t V4 __attribute__((vector_size(16)));
        for (; i + 4 <= n; i += 4) {
          V4 p;
          std::memcpy(&p, src + i, 16);
          const V4 swapped = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
          std::memcpy(dst + i, &swapped, 16);
        }
        for (; i < n; ++i) dst[i] = detail::soft::ColorRefFromPixel(src[i]);
      }
      col += n - 1;
    }
  }
}

}  // namespace platform::gdi
