#pragma once
// The software GDI's objects and the table that maps 32-bit handles to them. Internal to
// platform/linux/gdi.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "gdi/pixel_allocator.h"
#include "platform/gdi.h"

namespace platform::detail::soft {

// Colour pixels are stored as the screen holds them, 0x00RRGGBB (xRGB8888), so a window
// surface can be drawn into directly; a ColorRef is 0x00BBGGRR. One-bit pixels are
// stored one byte each, 0x00 or 0xFF, so the raster operations work on them bytewise.
constexpr uint32_t kRgbMask = 0x00FFFFFF;
constexpr uint32_t kWhitePixel = 0x00FFFFFF;
constexpr uint8_t kBitSet = 0xFF;

inline uint32_t PixelFromColorRef(gdi::ColorRef c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline gdi::ColorRef ColorRefFromPixel(uint32_t p) {
  return PixelFromColorRef(p & kRgbMask);
}

// Largest bitmap we agree to make: 64 Mpixel (256 MB in colour).
constexpr int64_t kMaxPixels = int64_t{64} * 1024 * 1024;

struct Bitmap {
  int32_t width = 0;
  int32_t height = 0;
  bool mono = false;
  bool stock = false;  // the shared 1 x 1 bitmap of new DCs: never freed, never owned
  // Pixels: owned storage, or (for external surfaces) someone else's buffer.
  std::vector<uint32_t, PixelAllocator<uint32_t>> colour_store;
  std::vector<uint8_t, PixelAllocator<uint8_t>> mono_store;
  uint32_t* colour = nullptr;
  uint8_t* bits = nullptr;
  int32_t pitch = 0;            // elements from one row to the next
  gdi::Handle selected_in = 0;  // the DC holding it, 0 when none

  uint32_t* ColourRow(int32_t y) { return colour + static_cast<int64_t>(y) * pitch; }
  uint8_t* MonoRow(int32_t y) { return bits + static_cast<int64_t>(y) * pitch; }
};

// Makes a bitmap with owned storage; nullptr when the size is not positive or too large.
std::unique_ptr<Bitmap> MakeBitmap(int32_t width, int32_t height, bool mono);

struct Dc {
  gdi::Handle bitmap = 0;
  uint32_t bk_colour = 0x00FFFFFF;  // ColorRef
  uint32_t text_colour = 0;         // ColorRef
  // Screen and external DCs are not memory DCs: nothing can be selected into them and
  // DeleteDC leaves them alone.
  bool fixed = false;
  std::function<void(int32_t, int32_t, int32_t, int32_t)> on_changed;
};

class HandleTable {
 public:
  gdi::Handle Add(std::unique_ptr<Dc> dc);
  gdi::Handle Add(std::unique_ptr<Bitmap> bitmap);
  Dc* FindDc(gdi::Handle h);
  Bitmap* FindBitmap(gdi::Handle h);
  void Remove(gdi::Handle h);

 private:
  // A handle is the slot index + 1 in its low 20 bits and the slot's generation above,
  // so a stale handle to a reused slot is not mistaken for the new object.
  static constexpr uint32_t kIndexBits = 20;
  static constexpr uint32_t kIndexMask = (1u << kIndexBits) - 1;
  struct Slot {
    uint32_t generation = 0;
    std::unique_ptr<Dc> dc;
    std::unique_ptr<Bitmap> bitmap;
  };
  int64_t Index(gdi::Handle h) const;
  gdi::Handle NewSlot(Slot*& slot);

  std::vector<Slot> slots_;
  std::vector<uint32_t> free_;
};

HandleTable& Table();
// The shared 1 x 1 one-bit bitmap that every new memory DC starts with.
gdi::Handle StockBitmap();
// The bitmap selected into a DC, or nullptr.
Bitmap* SelectedBitmap(Dc* dc);

}  // namespace platform::detail::soft
