#pragma once
// Our own reader of the .cur cursor format: an icon directory of type 2 whose images are
// device-independent bitmaps (colour part followed by a one-bit AND mask) with a hot spot
// per image. Internal to platform/linux; no SDL here, so the reader can be tested alone.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform::detail {

struct CursorImage {
  int32_t width = 0;
  int32_t height = 0;
  int32_t hot_x = 0;
  int32_t hot_y = 0;
  std::vector<uint32_t> argb;  // 0xAARRGGBB, top row first, width * height
};

// Decodes a whole .cur file held in memory. Picks the 32 x 32 image when the file has one,
// else the first. Colour depths 1, 4, 8, 24 and 32 bits; with 32 bits an alpha channel
// that is not all zero wins over the AND mask. Throws mt::Error (BadFile) on anything it
// cannot read.
CursorImage DecodeCursor(const std::vector<uint8_t>& bytes);

// Largest cursor file we read: a few of the largest images (256 x 256 at 32 bits) fit.
constexpr size_t kMaxCursorFileBytes = 4 * 1024 * 1024;

// Reads and decodes a file; anything but a readable regular file within the cap throws
// mt::Error (BadFile).
CursorImage ReadCursorFile(const std::string& path);

}  // namespace platform::detail
