// LoadImageA(..., LR_LOADFROMFILE) for .bmp files. We check the headers ourselves (sizes,
// offsets, palette, the pixel count cap, that the pixel data is present), then let SDL's
// BMP reader decode the pixels and convert them to the screen's format. A file that fails
// any check gives 0 before SDL sees it, so no file can make us allocate without bound or
// read past its end.
#include <SDL.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "gdi/objects.h"

namespace platform::gdi {
namespace {

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;
// Largest file we read at all: a 64-Mpixel 32-bit image and its headers.
constexpr std::streamoff kMaxFileBytes = detail::soft::kMaxPixels * 4 + 4096;

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 |
         uint32_t{b[at + 3]} << 24;
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size <= 0 || size > kMaxFileBytes) return false;
  in.seekg(0, std::ios::beg);
  try {
    bytes.resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    return false;
  }
  return static_cast<bool>(in.read(reinterpret_cast<char*>(bytes.data()), size));
}

// The checks a file must pass before it is decoded.
bool HeadersSound(const std::vector<uint8_t>& b) {
  constexpr size_t kFileHeader = 14;
  if (b.size() < kFileHeader + 12 || b[0] != 'B' || b[1] != 'M') return false;
  const uint64_t offset = U32(b, 10);
  const uint32_t info_size = U32(b, 14);
  int64_t width, height;
  uint32_t bpp, compression = kBiRgb, colours_used = 0;
  size_t palette_entry = 4;
  if (info_size == 12) {  // the old core header: 16-bit sizes, 3-byte palette entries
    width = U16(b, 18);
    height = static_cast<int16_t>(U16(b, 20));
    if (U16(b, 22) != 1) return false;
    bpp = U16(b, 24);
    palette_entry = 3;
  } else if (info_size == 40 || info_size == 52 || info_size == 56 || info_size == 108 ||
             info_size == 124) {
    if (b.size() < kFileHeader + info_size) return false;
    width = static_cast<int32_t>(U32(b, 18));
    height = static_cast<int32_t>(U32(b, 22));
    if (U16(b, 26) != 1) return false;
    bpp = U16(b, 28);
    compression = U32(b, 30);
    colours_used = U32(b, 46);
  } else {
    return false;
  }
  if (width <= 0 || height == 0) return false;
  const bool top_down = height < 0;
  if (top_down) height = -height;
  if (width * height > detail::soft::kMaxPixels) return false;

  switch (compression) {
    case kBiRgb:
      if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
      break;
    case kBiRle8:
      if (bpp != 8 || top_down) return false;
      break;
    case kBiRle4:
      if (bpp != 4 || top_down) return false;
      break;
    case kBiBitfields:
      if (bpp != 16 && bpp != 32) return false;
      break;
    default:
      return false;
  }

  // The palette (or the three bit-field masks of a plain info header) follows the header
  // and must end where the pixels begin, at the latest.
  uint64_t table_bytes = 0;
  if (bpp <= 8) {
    const uint64_t full = uint64_t{1} << bpp;
    if (colours_used > full) return false;
    table_bytes = (colours_used ? colours_used : full) * palette_entry;
  } else if (compression == kBiBitfields && info_size == 40) {
    table_bytes = 12;
  }
  if (offset < kFileHeader + info_size + table_bytes || offset >= b.size()) return false;

  if (compression == kBiRgb || compression == kBiBitfields) {
    const uint64_t stride = (static_cast<uint64_t>(width) * bpp + 31) / 32 * 4;
    if (offset + stride * static_cast<uint64_t>(height) > b.size()) return false;
  }
  if (compression == kBiBitfields && info_size >= 52) {
    // The masks live in the header; each must be a non-empty run of bits.
    for (size_t at : {size_t{54}, size_t{58}, size_t{62}}) {
      const uint32_t mask = U32(b, at);
      if (mask == 0) return false;
      const uint32_t low = mask & (~mask + 1);
      if (((mask + low) & mask) != 0) return false;
    }
  }
  return true;
}

}  // namespace

Handle LoadBitmapFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes) || !HeadersSound(bytes)) return 0;

  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (!rw) return 0;
  SDL_Surface* loaded = SDL_LoadBMP_RW(rw, 1);
  if (!loaded) return 0;
  SDL_Surface* xrgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_XRGB8888, 0);
  SDL_FreeSurface(loaded);
  if (!xrgb) return 0;

  Handle handle = 0;
  if (auto bitmap = detail::soft::MakeBitmap(xrgb->w, xrgb->h, false)) {
    const auto* rows = static_cast<const uint8_t*>(xrgb->pixels);
    for (int32_t y = 0; y < xrgb->h; ++y) {
      uint32_t* out = bitmap->ColourRow(y);
      std::memcpy(out, rows + static_cast<size_t>(y) * xrgb->pitch,
                  static_cast<size_t>(xrgb->w) * 4);
      for (int32_t x = 0; x < xrgb->w; ++x) out[x] &= detail::soft::kRgbMask;
    }
    handle = detail::soft::Table().Add(std::move(bitmap));
  }
  SDL_FreeSurface(xrgb);
  return handle;
}

}  // namespace platform::gdi
