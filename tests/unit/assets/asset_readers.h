#pragma once
// Plain readers for the shipped file formats, written for the tests alone so that they
// check the files against the formats, not against the generator's own writer.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace assets_test {

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

struct Bitmap {
  int width = 0, height = 0, bits = 0, compression = -1;
  std::vector<Rgb> pixels;  // top row first
  const Rgb& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
// A BMP with a BITMAPINFOHEADER, 24 bits a pixel, bottom-up or top-down.
std::optional<Bitmap> ReadBmp(const std::string& bytes);

struct IconEntry {
  int type = 0;  // 1 icon, 2 cursor
  int count = 0;
  int width = 0, height = 0;
  int field1 = 0, field2 = 0;  // planes and bit count for icons, hot spot for cursors
  uint32_t size = 0, offset = 0;
  int header_width = 0, header_height = 0, bits = 0;
  bool fits = false;  // the resource lies inside the file
  // Opaque (AND mask bit 0) per pixel, top row first.
  std::vector<bool> opaque;
};
std::optional<IconEntry> ReadIcon(const std::string& bytes);

struct Wave {
  int format = 0, channels = 0, rate = 0, bits = 0, block_align = 0;
  uint32_t byte_rate = 0;
  bool riff_size_ok = false;
  std::vector<int16_t> samples;
};
std::optional<Wave> ReadWav(const std::string& bytes);

}  // namespace assets_test
