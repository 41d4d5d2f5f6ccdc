// The software GDI's object calls: DCs, bitmaps, selection, colours, single pixels, and
// the screen's and windows' DCs.
#include <memory>
#include <set>

#include "gdi/objects.h"
#include "gdi/retarget_dc.h"
#include "platform/window.h"

namespace platform::gdi {
namespace {
using detail::soft::Bitmap;
using detail::soft::Dc;
using detail::soft::Table;

constexpr ColorRef kInvalidColour = 0xFFFFFFFF;
// The desktop window has no X window behind it; this value lies below every X resource id
// a client is given, so a resolver can tell it from a real window.
constexpr Handle kDesktopWindow = 0x00000010;

// The screen's DC: a memory DC in the screen's format, the size of the screen when an X
// display tells us one, so it works without a display too. Nothing on Linux draws the
// desktop itself; the full-screen window has a DC of its own.
Handle ScreenDc() {
  static const Handle dc = [] {
    int32_t w = ScreenWidthPixels(), h = ScreenHeightPixels();
    auto bitmap = detail::soft::MakeBitmap(w > 0 ? w : 1, h > 0 ? h : 1, false);
    if (!bitmap) bitmap = detail::soft::MakeBitmap(1, 1, false);
    auto screen = std::make_unique<Dc>();
    screen->fixed = true;
    const Handle dc_handle = Table().Add(std::move(screen));
    const Handle bitmap_handle = Table().Add(std::move(bitmap));
    Table().FindBitmap(bitmap_handle)->selected_in = dc_handle;
    Table().FindDc(dc_handle)->bitmap = bitmap_handle;
    return dc_handle;
  }();
  return dc;
}

detail::WindowDCResolver& Resolver() {
  static detail::WindowDCResolver resolver;
  return resolver;
}
std::set<Handle>& ResolvedDcs() {
  static std::set<Handle> dcs;
  return dcs;
}
}  // namespace

Handle GetDesktopWindow() {
  return kDesktopWindow;
}

Handle GetDC(Handle window) {
  if (Resolver()) {
    if (Handle dc = Resolver()(window)) {
      ResolvedDcs().insert(dc);
      return dc;
    }
  }
  if (window == 0 || window == kDesktopWindow) return ScreenDc();
  return 0;
}

int ReleaseDC(Handle, Handle dc) {
  if (ResolvedDcs().erase(dc)) {
    detail::DeleteExternalDC(dc);
    return 1;
  }
  return dc != 0 && dc == ScreenDc() ? 1 : 0;
}

Handle CreateCompatibleDC(Handle reference_dc) {
  if (reference_dc != 0 && !Table().FindDc(reference_dc)) return 0;
  auto dc = std::make_unique<Dc>();
  dc->bitmap = detail::soft::StockBitmap();
  return Table().Add(std::move(dc));
}

Handle CreateCompatibleBitmap(Handle reference_dc, int32_t width, int32_t height) {
  bool mono = false;
  if (reference_dc != 0) {
    Dc* dc = Table().FindDc(reference_dc);
    if (!dc) return 0;
    Bitmap* held = detail::soft::SelectedBitmap(dc);
    mono = held && held->mono;
  }
  auto bitmap = detail::soft::MakeBitmap(width, height, mono);
  return bitmap ? Table().Add(std::move(bitmap)) : 0;
}

Handle SelectObject(Handle dc_handle, Handle object) {
  Dc* dc = Table().FindDc(dc_handle);
  Bitmap* bitmap = Table().FindBitmap(object);
  if (!dc || !bitmap || dc->fixed) return 0;
  if (dc->bitmap == object) return object;
  // A bitmap lives in one DC at a time; the stock bitmap is shared by all.
  if (!bitmap->stock && bitmap->selected_in != 0) return 0;
  const Handle previous = dc->bitmap;
  if (Bitmap* old = Table().FindBitmap(previous); old && !old->stock) old->selected_in = 0;
  if (!bitmap->stock) bitmap->selected_in = dc_handle;
  dc->bitmap = object;
  return previous;
}

bool DeleteObject(Handle object) {
  Bitmap* bitmap = Table().FindBitmap(object);
  if (!bitmap) return false;
  if (bitmap->stock) return true;
  if (bitmap->selected_in != 0) return false;
  Table().Remove(object);
  return true;
}

bool DeleteDC(Handle dc_handle) {
  Dc* dc = Table().FindDc(dc_handle);
  if (!dc || dc->fixed) return false;
  if (Bitmap* held = Table().FindBitmap(dc->bitmap); held && !held->stock) held->selected_in = 0;
  Table().Remove(dc_handle);
  return true;
}

int GetObject(Handle bitmap_handle, BitmapInfo* info) {
  Bitmap* bitmap = Table().FindBitmap(bitmap_handle);
  if (!bitmap || !info) return 0;
  *info = BitmapInfo{};
  info->bmWidth = bitmap->width;
  info->bmHeight = bitmap->height;
  // Rows of device bitmaps are padded to 16 bits.
  info->bmWidthBytes = bitmap->mono ? (bitmap->width + 15) / 16 * 2 : bitmap->width * 4;
  info->bmPlanes = 1;
  info->bmBitsPixel = bitmap->mono ? 1 : 32;
  return static_cast<int>(sizeof(BitmapInfo));
}

// Sets one of a DC's colours; returns the one it replaces, or kInvalidColour for no DC.
static ColorRef ReplaceColour(Handle dc_handle, ColorRef Dc::*member, ColorRef colour) {
  Dc* dc = Table().FindDc(dc_handle);
  if (!dc) return kInvalidColour;
  const ColorRef previous = dc->*member;
  dc->*member = colour & detail::soft::kRgbMask;
  return previous;
}

ColorRef SetBkColor(Handle dc_handle, ColorRef colour) {
  return ReplaceColour(dc_handle, &Dc::bk_colour, colour);
}

ColorRef SetTextColor(Handle dc_handle, ColorRef colour) {
  return ReplaceColour(dc_handle, &Dc::text_colour, colour);
}

ColorRef GetBkColor(Handle dc_handle) {
  Dc* dc = Table().FindDc(dc_handle);
  return dc ? dc->bk_colour : kInvalidColour;
}

ColorRef GetPixel(Handle dc_handle, int32_t x, int32_t y) {
  Bitmap* bitmap = detail::soft::SelectedBitmap(Table().FindDc(dc_handle));
  if (!bitmap || x < 0 || y < 0 || x >= bitmap->width || y >= bitmap->height) return kInvalidColour;
  if (bitmap->mono) return bitmap->MonoRow(y)[x] ? 0x00FFFFFF : 0;
  return detail::soft::ColorRefFromPixel(bitmap->ColourRow(y)[x]);
}

ColorRef SetPixel(Handle dc_handle, int32_t x, int32_t y, ColorRef colour) {
  Dc* dc = Table().FindDc(dc_handle);
  Bitmap* bitmap = detail::soft::SelectedBitmap(dc);
  if (!bitmap || x < 0 || y < 0 || x >= bitmap->width || y >= bitmap->height) return kInvalidColour;
  ColorRef set;
  if (bitmap->mono) {
    // The nearer of black and white.
    const uint32_t sum = (colour & 0xFF) + ((colour >> 8) & 0xFF) + ((colour >> 16) & 0xFF);
    const bool white = sum >= 383;
    bitmap->MonoRow(y)[x] = white ? detail::soft::kBitSet : 0;
    set = white ? 0x00FFFFFF : 0;
  } else {
    bitmap->ColourRow(y)[x] = detail::soft::PixelFromColorRef(colour);
    set = colour & detail::soft::kRgbMask;
  }
  if (dc->on_changed) dc->on_changed(x, y, 1, 1);
  return set;
}

}  // namespace platform::gdi

namespace platform::detail {

gdi::Handle CreateExternalDC(ExternalSurface surface) {
  if (!surface.pixels || surface.width <= 0 || surface.height <= 0 ||
      surface.pitch_pixels < surface.width)
    return 0;
  auto bitmap = std::make_unique<soft::Bitmap>();
  bitmap->width = surface.width;
  bitmap->height = surface.height;
  bitmap->colour = surface.pixels;
  bitmap->pitch = surface.pitch_pixels;
  auto dc = std::make_unique<soft::Dc>();
  dc->fixed = true;
  dc->on_changed = std::move(surface.on_changed);
  const gdi::Handle dc_handle = soft::Table().Add(std::move(dc));
  const gdi::Handle bitmap_handle = soft::Table().Add(std::move(bitmap));
  if (dc_handle == 0 || bitmap_handle == 0) {
    soft::Table().Remove(dc_handle);
    soft::Table().Remove(bitmap_handle);
    return 0;
  }
  soft::Table().FindDc(dc_handle)->bitmap = bitmap_handle;
  soft::Table().FindBitmap(bitmap_handle)->selected_in = dc_handle;
  return dc_handle;
}

bool RetargetExternalDC(gdi::Handle dc_handle, uint32_t* pixels, int32_t width, int32_t height,
                        int32_t pitch_pixels) {
  soft::Dc* dc = soft::Table().FindDc(dc_handle);
  if (!dc || !dc->fixed || dc_handle == gdi::ScreenDc()) return false;
  soft::Bitmap* bitmap = soft::SelectedBitmap(dc);
  if (!bitmap || !pixels || width <= 0 || height <= 0 || pitch_pixels < width) return false;
  bitmap->colour = pixels;
  bitmap->width = width;
  bitmap->height = height;
  bitmap->pitch = pitch_pixels;
  return true;
}

void DeleteExternalDC(gdi::Handle dc_handle) {
  soft::Dc* dc = soft::Table().FindDc(dc_handle);
  if (!dc || !dc->fixed || dc_handle == gdi::ScreenDc()) return;
  soft::Table().Remove(dc->bitmap);
  soft::Table().Remove(dc_handle);
}

void SetWindowDCResolver(WindowDCResolver resolver) {
  gdi::Resolver() = std::move(resolver);
}

}  // namespace platform::detail
