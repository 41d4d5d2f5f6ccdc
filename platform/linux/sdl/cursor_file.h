#pragma once
// Our own reader of the .cur cursor and .ico icon formats: an icon directory (type 2 for
// cursors, 1 for icons) whose images are device-independent bitmaps (colour part followed
// by a one-bit AND mask), with a hot spot per cursor image. Internal to platform/linux; no
// SDL here, so the reader can be tested alone and the dialogs can use it for their icons.
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

// The same for an .ico file; the hot spot is (0, 0).
CursorImage DecodeIcon(const std::vector<uint8_t>& bytes);

// Largest cursor or icon file we read: a few of the largest images (256 x 256 at 32 bits).
constexpr size_t kMaxCursorFileBytes = 4 * 1024 * 1024;

// Reads and decodes a file; anything but a readable regular file within the cap throws
// mt::Error (BadFile).
CursorImage ReadCursorFile(const std::string& path);
CursorImage ReadIconFile(const std::string& path);

}  // namespace platform::detail
