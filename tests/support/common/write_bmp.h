#pragma once
// Writes small .bmp files for tests: sprite sheets, tiles, backgrounds.
#include <cstdint>
#include <fstream>
#include <string>

namespace mt::test {

// A 24-bit bottom-up .bmp with a 40-byte header; pixel(x, y) gives 0x00BBGGRR.
template <class F>
void WriteBmp24(const std::string& path, int32_t w, int32_t h, F pixel) {
  const uint32_t stride = (static_cast<uint32_t>(w) * 3 + 3) & ~3u;
  std::string b(54 + stride * h, '\0');
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, static_cast<uint32_t>(b.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(w));
  put32(22, static_cast<uint32_t>(h));
  b[26] = 1;
  b[28] = 24;
  for (int32_t y = 0; y < h; ++y) {
    const size_t row = 54 + static_cast<size_t>(h - 1 - y) * stride;
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t c = pixel(x, y);
      b[row + x * 3 + 0] = static_cast<char>((c >> 16) & 0xFF);
      b[row + x * 3 + 1] = static_cast<char>((c >> 8) & 0xFF);
      b[row + x * 3 + 2] = static_cast<char>(c & 0xFF);
    }
  }
  std::ofstream(path, std::ios::binary) << b;
}

}  // namespace mt::test
