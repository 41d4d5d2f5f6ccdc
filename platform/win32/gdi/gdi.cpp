// Drawing with gdi32 and user32: every call is the Win32 call it is named after, with our
// 32-bit handles converted on the way in and out.
#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include "common/rect.h"
#include "internal/external_dc.h"
#include "win32_api.h"

namespace platform {
namespace {
using win32::FromHandle32;
using win32::ToHandle32;

HDC Dc(gdi::Handle dc) {
  return FromHandle32<HDC>(dc);
}

// A DC over caller-owned pixels: a top-down 32-bit DIB section selected into a memory DC.
struct ExternalDc {
  detail::ExternalSurface surface;
  HBITMAP section = nullptr;
  HGDIOBJ previous = nullptr;
  uint32_t* bits = nullptr;
};

std::map<gdi::Handle, std::unique_ptr<ExternalDc>>& ExternalDcs() {
  static std::map<gdi::Handle, std::unique_ptr<ExternalDc>> dcs;
  return dcs;
}
ExternalDc* FindExternal(gdi::Handle dc) {
  auto it = ExternalDcs().find(dc);
  return it == ExternalDcs().end() ? nullptr : it->second.get();
}

// The part of a rectangle inside the surface; false when nothing is left.
bool ClipTo(const detail::ExternalSurface& s, int32_t& x, int32_t& y, int32_t& w, int32_t& h) {
  const auto clipped = mt::Intersect({x, y, w, h}, {0, 0, s.width, s.height});
  if (!clipped) return false;
  x = clipped->x, y = clipped->y, w = clipped->width, h = clipped->height;
  return true;
}

// Copies a rectangle between the caller's buffer and the DIB section.
void Transfer(ExternalDc& e, int32_t x, int32_t y, int32_t w, int32_t h, bool into_section) {
  if (!ClipTo(e.surface, x, y, w, h)) return;
  GdiFlush();
  for (int32_t row = y; row < y + h; ++row) {
    uint32_t* mine = e.bits + static_cast<size_t>(row) * e.surface.width + x;
    uint32_t* theirs = e.surface.pixels + static_cast<size_t>(row) * e.surface.pitch_pixels + x;
    if (into_section) {
      std::copy(theirs, theirs + w, mine);
    } else {
      // xRGB: gdi32 may set the unused top byte (WHITENESS does); the owner's buffer keeps
      // it clear.
      std::transform(mine, mine + w, theirs, [](uint32_t p) { return p & 0x00FFFFFFu; });
    }
  }
}

// A top-down 32-bit DIB section of one size, selected into its own memory DC.
struct ReadBuffer {
  HDC dc = nullptr;
  HBITMAP section = nullptr;
  HGDIOBJ previous = nullptr;
  uint32_t* bits = nullptr;
  int32_t width = 0, height = 0;

  bool Fit(int32_t w, int32_t h) {
    if (section && w == width && h == height) return true;
    Free();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    section = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    dc = section ? ::CreateCompatibleDC(nullptr) : nullptr;
    if (!dc) {
      Free();
      return false;
    }
    previous = ::SelectObject(dc, section);
    bits = static_cast<uint32_t*>(memory);
    width = w;
    height = h;
    return true;
  }
  void Free() {
    if (dc) {
      ::SelectObject(dc, previous);
      ::DeleteDC(dc);
    }
    if (section) ::DeleteObject(section);
    *this = ReadBuffer{};
  }
  ~ReadBuffer() { Free(); }
};

detail::WindowDCResolver& Resolver() {
  static detail::WindowDCResolver resolver;
  return resolver;
}
std::set<gdi::Handle>& ResolvedDcs() {
  static std::set<gdi::Handle> dcs;
  return dcs;
}

}  // namespace

namespace gdi {

Handle GetDesktopWindow() {
  return ToHandle32(::GetDesktopWindow());
}

Handle GetDC(Handle window) {
  if (Resolver()) {
    if (Handle dc = Resolver()(window)) {
      ResolvedDcs().insert(dc);
      return dc;
    }
  }
  return ToHandle32(::GetDC(FromHandle32<HWND>(window)));
}

int ReleaseDC(Handle window, Handle dc) {
  if (ResolvedDcs().erase(dc)) {
    detail::DeleteExternalDC(dc);
    return 1;
  }
  return ::ReleaseDC(FromHandle32<HWND>(window), Dc(dc));
}

Handle CreateCompatibleDC(Handle reference_dc) {
  return ToHandle32(::CreateCompatibleDC(Dc(reference_dc)));
}

Handle CreateCompatibleBitmap(Handle reference_dc, int32_t width, int32_t height) {
  return ToHandle32(::CreateCompatibleBitmap(Dc(reference_dc), width, height));
}

Handle SelectObject(Handle dc, Handle object) {
  return ToHandle32(::SelectObject(Dc(dc), FromHandle32<HGDIOBJ>(object)));
}

bool DeleteObject(Handle object) {
  return ::DeleteObject(FromHandle32<HGDIOBJ>(object)) != 0;
}

bool DeleteDC(Handle dc) {
  return ::DeleteDC(Dc(dc)) != 0;
}

int GetObject(Handle bitmap, BitmapInfo* info) {
  BITMAP bm{};
  if (!info || ::GetObjectA(FromHandle32<HGDIOBJ>(bitmap), sizeof bm, &bm) != sizeof bm) return 0;
  info->bmType = bm.bmType;
  info->bmWidth = bm.bmWidth;
  info->bmHeight = bm.bmHeight;
  info->bmWidthBytes = bm.bmWidthBytes;
  info->bmPlanes = bm.bmPlanes;
  info->bmBitsPixel = bm.bmBitsPixel;
  info->bmBits = ToHandle32(bm.bmBits);
  return 24;  // the 32-bit record, whatever this build's pointer size
}

Handle LoadBitmapFile(const std::string& path) {
  return ToHandle32(::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

ColorRef SetBkColor(Handle dc, ColorRef colour) {
  return ::SetBkColor(Dc(dc), colour);
}
ColorRef SetTextColor(Handle dc, ColorRef colour) {
  return ::SetTextColor(Dc(dc), colour);
}
ColorRef GetBkColor(Handle dc) {
  return ::GetBkColor(Dc(dc));
}

bool BitBlt(Handle dest_dc, int32_t x, int32_t y, int32_t width, int32_t height, Handle src_dc,
            int32_t src_x, int32_t src_y, uint32_t rop) {
  ExternalDc* dest = FindExternal(dest_dc);
  ExternalDc* src = FindExternal(src_dc);
  if (src) Transfer(*src, src_x, src_y, width, height, true);
  if (dest) Transfer(*dest, x, y, width, height, true);
  const bool ok = ::BitBlt(Dc(dest_dc), x, y, width, height, Dc(src_dc), src_x, src_y, rop) != 0;
  if (ok && dest) {
    Transfer(*dest, x, y, width, height, false);
    int32_t cx = x, cy = y, cw = width, ch = height;
    if (dest->surface.on_changed && ClipTo(dest->surface, cx, cy, cw, ch)) {
      dest->surface.on_changed(cx, cy, cw, ch);
    }
  }
  return ok;
}

bool BitBltMaskThenPicture(Handle dest_dc, int32_t x, int32_t y, int32_t width, int32_t height,
                           Handle mask_dc, Handle picture_dc, int32_t src_x, int32_t src_y) {
  const bool painted = BitBlt(dest_dc, x, y, width, height, mask_dc, src_x, src_y, SRCPAINT);
  const bool anded = BitBlt(dest_dc, x, y, width, height, picture_dc, src_x, src_y, SRCAND);
  return painted && anded;
}

ColorRef GetPixel(Handle dc, int32_t x, int32_t y) {
  if (ExternalDc* e = FindExternal(dc)) Transfer(*e, x, y, 1, 1, true);
  return ::GetPixel(Dc(dc), x, y);
}

ColorRef SetPixel(Handle dc, int32_t x, int32_t y, ColorRef colour) {
  ExternalDc* e = FindExternal(dc);
  if (e) Transfer(*e, x, y, 1, 1, true);
  const ColorRef set = ::SetPixel(Dc(dc), x, y, colour);
  if (e) Transfer(*e, x, y, 1, 1, false);
  return set;
}

void ReadPixels(Handle dc, int32_t x, int32_t y, int32_t width, int32_t height, ColorRef* out) {
  if (width <= 0 || height <= 0) return;
  if (ExternalDc* e = FindExternal(dc)) Transfer(*e, x, y, width, height, true);
  const auto read_one_by_one = [&] {
    for (int32_t row = 0; row < height; ++row)
      for (int32_t col = 0; col < width; ++col)
        out[static_cast<size_t>(row) * width + col] = ::GetPixel(Dc(dc), x + col, y + row);
  };
  // GetPixel reads only what the clipping region shows; a plain rectangle (a memory DC's
  // whole bitmap) can be read with one blit, anything more complex is left to GetPixel.
  RECT box{};
  const int kind = ::GetClipBox(Dc(dc), &box);
  if (kind == COMPLEXREGION) return read_one_by_one();
  std::fill(out, out + static_cast<size_t>(width) * height, CLR_INVALID);
  const mt::Rect clip{static_cast<int32_t>(box.left), static_cast<int32_t>(box.top),
                      static_cast<int32_t>(box.right - box.left),
                      static_cast<int32_t>(box.bottom - box.top)};
  const auto part = mt::Intersect({x, y, width, height}, clip);
  if (kind != SIMPLEREGION || !part) return;
  const int32_t left = part->x, top = part->y, w = part->width, h = part->height;

  // One blit into a 32-bit DIB section rather than a GetPixel per pixel. A DC's default
  // colours (black text, white background) turn a one-bit source into black and white, as
  // GetPixel reads it. Tests read whole screens after every frame: the section is kept for
  // the next read of the same size.
  static ReadBuffer buffer;
  if (!buffer.Fit(w, h)) return read_one_by_one();
  const bool copied = ::BitBlt(buffer.dc, 0, 0, w, h, Dc(dc), left, top, SRCCOPY) != 0;
  ::GdiFlush();
  if (copied) {
    const uint32_t* src = buffer.bits;
    for (int32_t row = 0; row < h; ++row) {
      ColorRef* dst = out + static_cast<size_t>(top - y + row) * width + (left - x);
      // The section holds 0x00RRGGBB; a colour value is 0x00BBGGRR.
      for (int32_t col = 0; col < w; ++col, ++src) {
        const uint32_t p = *src;
        dst[col] = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
      }
    }
  }
  if (!copied) read_one_by_one();
}

}  // namespace gdi

namespace detail {

gdi::Handle CreateExternalDC(ExternalSurface surface) {
  if (!surface.pixels || surface.width <= 0 || surface.height <= 0) return 0;
  auto e = std::make_unique<ExternalDc>();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = surface.width;
  info.bmiHeader.biHeight = -surface.height;  // top row first, as the caller's buffer
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  e->section = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = ::CreateCompatibleDC(nullptr);
  if (!e->section || !dc) {
    if (e->section) ::DeleteObject(e->section);
    if (dc) ::DeleteDC(dc);
    return 0;
  }
  e->bits = static_cast<uint32_t*>(bits);
  e->previous = ::SelectObject(dc, e->section);
  e->surface = std::move(surface);
  Transfer(*e, 0, 0, e->surface.width, e->surface.height, true);
  const gdi::Handle handle = ToHandle32(dc);
  ExternalDcs()[handle] = std::move(e);
  return handle;
}

void DeleteExternalDC(gdi::Handle dc) {
  auto it = ExternalDcs().find(dc);
  if (it == ExternalDcs().end()) return;
  ::SelectObject(Dc(dc), it->second->previous);
  ::DeleteDC(Dc(dc));
  ::DeleteObject(it->second->section);
  ExternalDcs().erase(it);
}

void SetWindowDCResolver(WindowDCResolver resolver) {
  Resolver() = std::move(resolver);
}

}  // namespace detail
}  // namespace platform
