// Any bytes as a .cur file: our own error or an image whose pixels and hot spot agree
// with its size; nothing else may escape.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/error.h"
#include "sdl/cursor_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const auto image = platform::detail::DecodeCursor(std::vector<uint8_t>(data, data + size));
    if (image.width <= 0 || image.height <= 0 || image.hot_x >= image.width ||
        image.hot_y >= image.height ||
        image.argb.size() != static_cast<size_t>(image.width) * image.height) {
      __builtin_trap();
    }
  } catch (const mt::Error& e) {
    if (e.kind() != mt::ErrorKind::BadFile) __builtin_trap();
  }
  return 0;
}
