#include "asset_readers.h"

namespace assets_test {

namespace {

uint32_t U16(const std::string& b, size_t at) {
  return static_cast<uint8_t>(b[at]) |
         (static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8);
}
uint32_t U32(const std::string& b, size_t at) {
  return U16(b, at) | (U16(b, at + 2) << 16);
}
int32_t S32(const std::string& b, size_t at) {
  return static_cast<int32_t>(U32(b, at));
}

}  // namespace

std::optional<Bitmap> ReadBmp(const std::string& b) {
  if (b.size() < 54 || b.compare(0, 2, "BM") != 0 || U32(b, 14) < 40) return std::nullopt;
  Bitmap bmp;
  const uint32_t data = U32(b, 10);
  bmp.width = S32(b, 18);
  const int32_t h = S32(b, 22);
  bmp.height = h < 0 ? -h : h;
  bmp.bits = static_cast<int>(U16(b, 28));
  bmp.compression = static_cast<int>(U32(b, 30));
  if (bmp.bits != 24 || bmp.width <= 0 || bmp.height <= 0) return bmp;
  const size_t stride = (static_cast<size_t>(bmp.width) * 3 + 3) & ~size_t{3};
  if (data + stride * bmp.height > b.size()) return std::nullopt;
  bmp.pixels.resize(static_cast<size_t>(bmp.width) * bmp.height);
  for (int y = 0; y < bmp.height; ++y) {
    const int row = h < 0 ? y : bmp.height - 1 - y;
    for (int x = 0; x < bmp.width; ++x) {
      const size_t at = data + row * stride + static_cast<size_t>(x) * 3;
      bmp.pixels[static_cast<size_t>(y) * bmp.width + x] =
          Rgb{static_cast<uint8_t>(b[at + 2]), static_cast<uint8_t>(b[at + 1]),
              static_cast<uint8_t>(b[at])};
    }
  }
  return bmp;
}

std::optional<IconEntry> ReadIcon(const std::string& b) {
  if (b.size() < 22 || U16(b, 0) != 0) return std::nullopt;
  IconEntry e;
  e.type = static_cast<int>(U16(b, 2));
  e.count = static_cast<int>(U16(b, 4));
  e.width = static_cast<uint8_t>(b[6]) == 0 ? 256 : static_cast<uint8_t>(b[6]);
  e.height = static_cast<uint8_t>(b[7]) == 0 ? 256 : static_cast<uint8_t>(b[7]);
  e.field1 = static_cast<int>(U16(b, 10));
  e.field2 = static_cast<int>(U16(b, 12));
  e.size = U32(b, 14);
  e.offset = U32(b, 18);
  e.fits = e.offset >= 22 && static_cast<uint64_t>(e.offset) + e.size <= b.size();
  if (!e.fits || e.size < 40 || U32(b, e.offset) != 40) return e;
  const size_t h = e.offset;
  e.header_width = S32(b, h + 4);
  e.header_height = S32(b, h + 8);
  e.bits = static_cast<int>(U16(b, h + 14));
  if (e.header_width <= 0 || e.header_height <= 0 || e.bits <= 0 || e.bits > 32) return e;
  const int w = e.header_width, rows = e.header_height / 2;
  uint32_t colours = U32(b, h + 32);
  if (colours == 0 && e.bits <= 8) colours = 1u << e.bits;
  const size_t xor_stride = ((static_cast<size_t>(w) * e.bits + 31) / 32) * 4;
  const size_t and_stride = ((static_cast<size_t>(w) + 31) / 32) * 4;
  const size_t and_at = h + 40 + colours * 4 + xor_stride * rows;
  if (and_at + and_stride * rows > h + e.size) return e;
  e.opaque.resize(static_cast<size_t>(w) * rows);
  for (int y = 0; y < rows; ++y) {
    const size_t row = and_at + (rows - 1 - y) * and_stride;
    for (int x = 0; x < w; ++x) {
      const bool transparent = (static_cast<uint8_t>(b[row + x / 8]) >> (7 - x % 8)) & 1;
      e.opaque[static_cast<size_t>(y) * w + x] = !transparent;
    }
  }
  return e;
}

std::optional<Wave> ReadWav(const std::string& b) {
  if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0)
    return std::nullopt;
  Wave w;
  w.riff_size_ok = U32(b, 4) + 8 == b.size();
  bool have_fmt = false, have_data = false;
  for (size_t at = 12; at + 8 <= b.size();) {
    const std::string id = b.substr(at, 4);
    const uint32_t size = U32(b, at + 4);
    if (at + 8 + size > b.size()) return std::nullopt;
    if (id == "fmt " && size >= 16) {
      w.format = static_cast<int>(U16(b, at + 8));
      w.channels = static_cast<int>(U16(b, at + 10));
      w.rate = static_cast<int>(U32(b, at + 12));
      w.byte_rate = U32(b, at + 16);
      w.block_align = static_cast<int>(U16(b, at + 20));
      w.bits = static_cast<int>(U16(b, at + 22));
      have_fmt = true;
    } else if (id == "data") {
      for (size_t i = 0; i + 1 < size; i += 2)
        w.samples.push_back(static_cast<int16_t>(U16(b, at + 8 + i)));
      have_data = true;
    }
    at += 8 + size + (size & 1);
  }
  if (!have_fmt || !have_data) return std::nullopt;
  return w;
}

}  // namespace assets_test
