// The handle table of the software GDI.
#include "gdi/objects.h"

#include <new>

namespace platform::detail::soft {

std::unique_ptr<Bitmap> MakeBitmap(int32_t width, int32_t height, bool mono) {
  if (width <= 0 || height <= 0) return nullptr;
  const int64_t pixels = static_cast<int64_t>(width) * height;
  if (pixels > kMaxPixels) return nullptr;
  auto bitmap = std::make_unique<Bitmap>();
  bitmap->width = width;
  bitmap->height = height;
  bitmap->mono = mono;
  bitmap->pitch = width;
  // The storage comes zeroed (pixel_allocator.h): black, and all bits clear.
  try {
    if (mono) {
      bitmap->mono_store.resize(static_cast<size_t>(pixels));
      bitmap->bits = bitmap->mono_store.data();
    } else {
      bitmap->colour_store.resize(static_cast<size_t>(pixels));
      bitmap->colour = bitmap->colour_store.data();
    }
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return bitmap;
}

int64_t HandleTable::Index(gdi::Handle h) const {
  const uint32_t low = h & kIndexMask;
  if (low == 0 || low > slots_.size()) return -1;
  const Slot& slot = slots_[low - 1];
  if ((h >> kIndexBits) != (slot.generation & (0xFFFFFFFFu >> kIndexBits))) return -1;
  return low - 1;
}

gdi::Handle HandleTable::NewSlot(Slot*& slot) {
  uint32_t index;
  if (!free_.empty()) {
    index = free_.back();
    free_.pop_back();
  } else {
    if (slots_.size() >= kIndexMask) return 0;  // a million live objects: refuse
    index = static_cast<uint32_t>(slots_.size());
    slots_.emplace_back();
  }
  slot = &slots_[index];
  const uint32_t generation = slot->generation & (0xFFFFFFFFu >> kIndexBits);
  return (generation << kIndexBits) | (index + 1);
}

gdi::Handle HandleTable::Add(std::unique_ptr<Dc> dc) {
  Slot* slot = nullptr;
  const gdi::Handle h = NewSlot(slot);
  if (h != 0) slot->dc = std::move(dc);
  return h;
}

gdi::Handle HandleTable::Add(std::unique_ptr<Bitmap> bitmap) {
  Slot* slot = nullptr;
  const gdi::Handle h = NewSlot(slot);
  if (h != 0) slot->bitmap = std::move(bitmap);
  return h;
}

Dc* HandleTable::FindDc(gdi::Handle h) {
  const int64_t i = Index(h);
  return i < 0 ? nullptr : slots_[static_cast<size_t>(i)].dc.get();
}

Bitmap* HandleTable::FindBitmap(gdi::Handle h) {
  const int64_t i = Index(h);
  return i < 0 ? nullptr : slots_[static_cast<size_t>(i)].bitmap.get();
}

void HandleTable::Remove(gdi::Handle h) {
  const int64_t i = Index(h);
  if (i < 0) return;
  Slot& slot = slots_[static_cast<size_t>(i)];
  slot.dc.reset();
  slot.bitmap.reset();
  ++slot.generation;
  free_.push_back(static_cast<uint32_t>(i));
}

HandleTable& Table() {
  static HandleTable table;
  return table;
}

gdi::Handle StockBitmap() {
  static const gdi::Handle stock = [] {
    auto bitmap = MakeBitmap(1, 1, true);
    bitmap->stock = true;
    return Table().Add(std::move(bitmap));
  }();
  return stock;
}

Bitmap* SelectedBitmap(Dc* dc) {
  return dc ? Table().FindBitmap(dc->bitmap) : nullptr;
}

}  // namespace platform::detail::soft
