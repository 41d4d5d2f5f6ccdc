// Any bytes as a .bmp file: the checked reader either refuses them or gives a bitmap of
// the size the headers promise, never reading past the bytes or beyond the pixel cap.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gdi/bmp_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  auto bitmap = platform::detail::soft::DecodeBitmapFile(bytes);
  if (bitmap && (bitmap->width <= 0 || bitmap->height <= 0 ||
                 int64_t{bitmap->width} * bitmap->height > platform::detail::soft::kMaxPixels)) {
    __builtin_trap();
  }
  return 0;
}
