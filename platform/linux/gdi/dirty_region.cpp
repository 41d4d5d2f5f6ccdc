#include "gdi/dirty_region.h"

#include <algorithm>
#include <utility>

#include "common/rect.h"

namespace platform::detail {
namespace {

int64_t Area(const DirtyRect& r) {
  return int64_t{r.w} * r.h;
}

bool Overlap(const DirtyRect& a, const DirtyRect& b) {
  return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

DirtyRect Bounding(const DirtyRect& a, const DirtyRect& b) {
  const int32_t left = std::min(a.x, b.x), top = std::min(a.y, b.y);
  return {left, top, std::max(a.x + a.w, b.x + b.w) - left, std::max(a.y + a.h, b.y + b.h) - top};
}

}  // namespace

void DirtyRegion::SetBounds(int32_t width, int32_t height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
}

void DirtyRegion::Add(int32_t x, int32_t y, int32_t w, int32_t h) {
  // Clipped here too: the blits report clipped rectangles, but nothing here relies on it.
  const auto clipped = mt::Intersect({x, y, w, h}, {0, 0, width_, height_});
  if (!clipped) return;
  DirtyRect added{clipped->x, clipped->y, clipped->width, clipped->height};
  // A merge makes a larger rectangle, which may now pay to merge with another: go on
  // until none does.
  for (bool merged = true; merged;) {
    merged = false;
    for (size_t i = 0; i < rects_.size(); ++i) {
      const DirtyRect box = Bounding(rects_[i], added);
      if (Overlap(rects_[i], added) && Area(box) < Area(rects_[i]) + Area(added)) {
        added = box;
        rects_[i] = rects_.back();
        rects_.pop_back();
        merged = true;
        break;
      }
    }
  }
  rects_.push_back(added);
}

std::vector<DirtyRect> DirtyRegion::Take() {
  return std::exchange(rects_, {});
}

}  // namespace platform::detail
