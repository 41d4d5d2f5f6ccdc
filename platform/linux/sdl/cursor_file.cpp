#include "cursor_file.h"

#include "common/error.h"
#include "core/file_read.h"

namespace platform::detail {
namespace {

[[noreturn]] void Bad(const std::string& why) {
  mt::Fail(mt::ErrorKind::BadFile, "cursor: " + why);
}

class Reader {
 public:
  explicit Reader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
  void Need(size_t offset, size_t count) const {
    if (offset > bytes_.size() || count > bytes_.size() - offset) Bad("truncated");
  }
  uint8_t U8(size_t at) const {
    Need(at, 1);
    return bytes_[at];
  }
  uint16_t U16(size_t at) const {
    Need(at, 2);
    return static_cast<uint16_t>(bytes_[at] | (bytes_[at + 1] << 8));
  }
  uint32_t U32(size_t at) const {
    Need(at, 4);
    return uint32_t{bytes_[at]} | (uint32_t{bytes_[at + 1]} << 8) |
           (uint32_t{bytes_[at + 2]} << 16) | (uint32_t{bytes_[at + 3]} << 24);
  }
  int32_t S32(size_t at) const { return static_cast<int32_t>(U32(at)); }

 private:
  const std::vector<uint8_t>& bytes_;
};

// Bytes of one bitmap row: padded to a whole 32-bit word.
size_t RowBytes(int32_t width, int bits) {
  return ((static_cast<size_t>(width) * static_cast<size_t>(bits) + 31) / 32) * 4;
}

}  // namespace

namespace {

constexpr uint16_t kIconType = 1, kCursorType = 2;

// Icons and cursors share one container; only a cursor's directory holds a hot spot (an
// icon's holds its planes and bit count there, which the image header repeats).
CursorImage DecodeContainer(const std::vector<uint8_t>& bytes, uint16_t type) {
  Reader r(bytes);
  if (r.U16(0) != 0 || r.U16(2) != type) {
    Bad(type == kCursorType ? "not a cursor file" : "not an icon file");
  }
  const uint16_t count = r.U16(4);
  if (count == 0) Bad("no image");

  // Directory entries of 16 bytes: width, height, colours, reserved, hot spot x and y,
  // data size, data offset.
  size_t chosen = 6;
  for (uint16_t i = 0; i < count; ++i) {
    const size_t entry = 6 + size_t{i} * 16;
    r.Need(entry, 16);
    if (r.U8(entry) == 32 && r.U8(entry + 1) == 32) {
      chosen = entry;
      break;
    }
  }
  CursorImage image;
  if (type == kCursorType) {
    image.hot_x = r.U16(chosen + 4);
    image.hot_y = r.U16(chosen + 6);
  }
  const size_t size = r.U32(chosen + 8);
  const size_t offset = r.U32(chosen + 12);
  r.Need(offset, size);

  if (r.U32(offset) < 40) Bad("unsupported image header (PNG images are not read)");
  const size_t header_size = r.U32(offset);
  const int32_t width = r.S32(offset + 4);
  const int32_t double_height = r.S32(offset + 8);
  const int bits = r.U16(offset + 14);
  const uint32_t compression = r.U32(offset + 16);
  uint32_t colours_used = r.U32(offset + 32);
  if (compression != 0) Bad("compressed image");
  // The stored height covers the colour part and the mask.
  if (width <= 0 || width > 256 || double_height <= 0 || double_height > 512 || double_height % 2)
    Bad("bad size");
  const int32_t height = double_height / 2;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) Bad("unsupported depth");
  if (image.hot_x >= width || image.hot_y >= height) Bad("hot spot outside the image");

  size_t at = offset + header_size;
  std::vector<uint32_t> palette;
  if (bits <= 8) {
    const uint32_t full = 1u << bits;
    if (colours_used == 0 || colours_used > full) colours_used = full;
    r.Need(at, size_t{colours_used} * 4);
    for (uint32_t i = 0; i < colours_used; ++i) {
      const size_t p = at + size_t{i} * 4;
      palette.push_back((uint32_t{r.U8(p + 2)} << 16) | (uint32_t{r.U8(p + 1)} << 8) | r.U8(p));
    }
    at += size_t{colours_used} * 4;
  }
  const size_t colour_row = RowBytes(width, bits);
  const size_t mask_row = RowBytes(width, 1);
  const size_t colour_at = at;
  const size_t mask_at = colour_at + colour_row * static_cast<size_t>(height);
  r.Need(colour_at, colour_row * static_cast<size_t>(height));
  // Some writers leave out the mask of a 32-bit image; its alpha then decides alone.
  const bool has_mask = mask_at + mask_row * static_cast<size_t>(height) <= offset + size;

  image.width = width;
  image.height = height;
  image.argb.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  bool any_alpha = false;
  for (int32_t y = 0; y < height; ++y) {
    // Rows are stored bottom-up.
    const size_t row = colour_at + colour_row * static_cast<size_t>(height - 1 - y);
    for (int32_t x = 0; x < width; ++x) {
      uint32_t rgb = 0, alpha = 0xFF;
      const auto ux = static_cast<size_t>(x);
      switch (bits) {
        case 1:
        case 4:
        case 8: {
          const size_t bit = ux * static_cast<size_t>(bits);
          const uint8_t byte = r.U8(row + bit / 8);
          const unsigned shift = 8u - static_cast<unsigned>(bits) - static_cast<unsigned>(bit % 8);
          const uint32_t index = (byte >> shift) & ((1u << bits) - 1u);
          if (index >= palette.size()) Bad("colour index outside the palette");
          rgb = palette[index];
          break;
        }
        case 24:
          rgb = (uint32_t{r.U8(row + ux * 3 + 2)} << 16) | (uint32_t{r.U8(row + ux * 3 + 1)} << 8) |
                r.U8(row + ux * 3);
          break;
        case 32:
          rgb = (uint32_t{r.U8(row + ux * 4 + 2)} << 16) | (uint32_t{r.U8(row + ux * 4 + 1)} << 8) |
                r.U8(row + ux * 4);
          alpha = r.U8(row + ux * 4 + 3);
          if (alpha) any_alpha = true;
          break;
      }
      image.argb[static_cast<size_t>(y) * static_cast<size_t>(width) + ux] = (alpha << 24) | rgb;
    }
  }
  if (bits == 32 && any_alpha) return image;
  if (!has_mask) {
    if (bits == 32) return image;  // no alpha and no mask: nothing shows, as the file says
    Bad("mask missing");
  }
  for (int32_t y = 0; y < height; ++y) {
    const size_t row = mask_at + mask_row * static_cast<size_t>(height - 1 - y);
    for (int32_t x = 0; x < width; ++x) {
      const auto ux = static_cast<size_t>(x);
      const bool transparent = (r.U8(row + ux / 8) >> (7 - ux % 8)) & 1u;
      uint32_t& pixel = image.argb[static_cast<size_t>(y) * static_cast<size_t>(width) + ux];
      // A set mask bit over black is transparent. Over another colour the screen would be
      // inverted there, which a colour cursor cannot do: that pixel shows its colour.
      if (transparent && (pixel & 0x00FFFFFFu) == 0) {
        pixel = 0;
      } else {
        pixel |= 0xFF000000u;
      }
    }
  }
  return image;
}

}  // namespace

CursorImage DecodeCursor(const std::vector<uint8_t>& bytes) {
  return DecodeContainer(bytes, kCursorType);
}

CursorImage DecodeIcon(const std::vector<uint8_t>& bytes) {
  return DecodeContainer(bytes, kIconType);
}

CursorImage ReadCursorFile(const std::string& path) {
  return DecodeCursor(ReadRegularFileOrFail(path, kMaxCursorFileBytes));
}

CursorImage ReadIconFile(const std::string& path) {
  return DecodeIcon(ReadRegularFileOrFail(path, kMaxCursorFileBytes));
}

}  // namespace platform::detail
