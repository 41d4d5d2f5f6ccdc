// LoadImageA(..., LR_LOADFROMFILE) for .bmp files. We check the headers ourselves (sizes,
// offsets, palette, the pixel count cap, that the pixel data is present), then let SDL's
// BMP reader decode palette, run-length and 24-bit files and convert them to the screen's
// format. 16- and 32-bit files we decode here: SDL widens 6-bit green so that white loads
// as 0xFFFDFF, and a white that is not white breaks every transparent-colour match. A file
// that fails any check gives 0 before SDL sees it, so no file can make us allocate without
// bound or read past its end.
#include "gdi/bmp_file.h"

#include <SDL.h>

#include <cstring>
#include <vector>

#include "core/file_read.h"

namespace platform::detail::soft {
namespace {

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;
uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 |
         uint32_t{b[at + 3]} << 24;
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

// What the headers say, once they have passed the checks.
struct Header {
  int64_t width = 0, height = 0;
  bool top_down = false;
  uint32_t bpp = 0, compression = kBiRgb;
  uint32_t palette_size = 0;  // palette entries; 0 for files without a palette
  uint64_t offset = 0;
  uint32_t masks[3] = {0, 0, 0};  // red, green, blue, for 16 and 32 bits
};

bool MaskSound(uint32_t mask) {
  if (mask == 0) return false;
  const uint32_t low = mask & (~mask + 1);
  return ((mask + low) & mask) == 0;  // one run of set bits
}

// The checks a file must pass before it is decoded.
bool HeadersSound(const std::vector<uint8_t>& b, Header& out) {
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
  if (width * height > kMaxPixels) return false;

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
    out.palette_size = static_cast<uint32_t>(colours_used ? colours_used : full);
    table_bytes = uint64_t{out.palette_size} * palette_entry;
  } else if (compression == kBiBitfields && info_size == 40) {
    table_bytes = 12;
  }
  if (offset < kFileHeader + info_size + table_bytes || offset >= b.size()) return false;

  if (compression == kBiRgb || compression == kBiBitfields) {
    const uint64_t stride = (static_cast<uint64_t>(width) * bpp + 31) / 32 * 4;
    if (offset + stride * static_cast<uint64_t>(height) > b.size()) return false;
  }
  if (compression == kBiBitfields) {
    // In the V2 and later headers, or right after the Windows 3 one: at byte 54 either way.
    for (int i = 0; i < 3; ++i) {
      out.masks[i] = U32(b, 54 + 4 * static_cast<size_t>(i));
      if (!MaskSound(out.masks[i])) return false;
    }
  } else if (bpp == 16) {
    out.masks[0] = 0x7C00, out.masks[1] = 0x03E0, out.masks[2] = 0x001F;
  } else if (bpp == 32) {
    out.masks[0] = 0xFF0000, out.masks[1] = 0xFF00, out.masks[2] = 0xFF;
  }
  out.width = width;
  out.height = height;
  out.top_down = top_down;
  out.bpp = bpp;
  out.compression = compression;
  out.offset = offset;
  return true;
}

// SDL rejects out-of-palette indices in uncompressed files but stores them as they are from
// run-length streams; converting such a pixel would read past the palette.
bool IndicesInPalette(SDL_Surface* surface, uint32_t palette_size) {
  if (surface->format->BitsPerPixel != 8 || !surface->format->palette) return false;
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
  bool ok = true;
  const auto* rows = static_cast<const uint8_t*>(surface->pixels);
  for (int y = 0; ok && y < surface->h; ++y) {
    const uint8_t* row = rows + static_cast<size_t>(y) * surface->pitch;
    for (int x = 0; x < surface->w; ++x) {
      if (row[x] >= palette_size) {
        ok = false;
        break;
      }
    }
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  return ok;
}

// One channel of a bit-field pixel widened to 8 bits by repeating its bits, so that the
// top level of any width is 255 and 0 stays 0.
struct Channel {
  uint32_t mask, shift, bits;
  explicit Channel(uint32_t m) : mask(m), shift(0), bits(0) {
    while (!((mask >> shift) & 1)) ++shift;
    while (bits + shift < 32 && ((mask >> (shift + bits)) & 1)) ++bits;
  }
  uint32_t Widen(uint32_t pixel) const {
    uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return v >> (bits - 8);
    uint32_t out = 0, total = 0;
    while (total < 8) {
      out = (out << bits) | v;
      total += bits;
    }
    return out >> (total - 8);
  }
};

std::unique_ptr<Bitmap> DecodeBitfields(const std::vector<uint8_t>& b, const Header& h) {
  auto bitmap = MakeBitmap(static_cast<int32_t>(h.width), static_cast<int32_t>(h.height), false);
  if (!bitmap) return nullptr;
  const Channel r(h.masks[0]), g(h.masks[1]), bl(h.masks[2]);
  const uint64_t stride = (static_cast<uint64_t>(h.width) * h.bpp + 31) / 32 * 4;
  for (int64_t row = 0; row < h.height; ++row) {
    const uint8_t* in = b.data() + h.offset + stride * static_cast<uint64_t>(row);
    const int64_t y = h.top_down ? row : h.height - 1 - row;
    uint32_t* out = bitmap->ColourRow(static_cast<int32_t>(y));
    for (int64_t x = 0; x < h.width; ++x) {
      const uint32_t p = h.bpp == 16 ? uint32_t{in[2 * x]} | uint32_t{in[2 * x + 1]} << 8
                                     : U32(b, static_cast<size_t>(in - b.data() + 4 * x));
      out[x] = r.Widen(p) << 16 | g.Widen(p) << 8 | bl.Widen(p);
    }
  }
  return bitmap;
}

}  // namespace

std::unique_ptr<Bitmap> DecodeBitmapFile(const std::vector<uint8_t>& bytes) {
  Header header;
  if (!HeadersSound(bytes, header)) return nullptr;
  if (header.bpp == 16 || header.bpp == 32) return DecodeBitfields(bytes, header);

  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (!rw) return nullptr;
  SDL_Surface* loaded = SDL_LoadBMP_RW(rw, 1);
  if (!loaded) return nullptr;
  if (header.palette_size != 0 && !IndicesInPalette(loaded, header.palette_size)) {
    SDL_FreeSurface(loaded);
    return nullptr;
  }
  SDL_Surface* xrgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_XRGB8888, 0);
  SDL_FreeSurface(loaded);
  if (!xrgb) return nullptr;

  auto bitmap = MakeBitmap(xrgb->w, xrgb->h, false);
  if (bitmap) {
    const auto* rows = static_cast<const uint8_t*>(xrgb->pixels);
    for (int32_t y = 0; y < xrgb->h; ++y) {
      uint32_t* out = bitmap->ColourRow(y);
      std::memcpy(out, rows + static_cast<size_t>(y) * xrgb->pitch,
                  static_cast<size_t>(xrgb->w) * 4);
      for (int32_t x = 0; x < xrgb->w; ++x) out[x] &= kRgbMask;
    }
  }
  SDL_FreeSurface(xrgb);
  return bitmap;
}

std::unique_ptr<Bitmap> ReadBitmapFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (ReadRegularFile(path, kMaxBitmapFileBytes, bytes) != FileRead::Ok) return nullptr;
  return DecodeBitmapFile(bytes);
}

}  // namespace platform::detail::soft

namespace platform::gdi {

Handle LoadBitmapFile(const std::string& path) {
  auto bitmap = detail::soft::ReadBitmapFile(path);
  return bitmap ? detail::soft::Table().Add(std::move(bitmap)) : 0;
}

}  // namespace platform::gdi
