#pragma once
// A rectangle of pixels and the common part of two, the clipping every layer does.
#include <algorithm>
#include <cstdint>
#include <optional>

namespace mt {

struct Rect {
  int32_t x = 0, y = 0, width = 0, height = 0;
};

// The common part of a and b, or nothing when they do not meet (a rectangle of no width or
// height meets nothing). In 64 bits: sides near the ends of the 32-bit range must not wrap.
inline std::optional<Rect> Intersect(const Rect& a, const Rect& b) {
  const int64_t left = std::max<int64_t>(a.x, b.x), top = std::max<int64_t>(a.y, b.y);
  const int64_t right = std::min(int64_t{a.x} + a.width, int64_t{b.x} + b.width);
  const int64_t bottom = std::min(int64_t{a.y} + a.height, int64_t{b.y} + b.height);
  if (left >= right || top >= bottom) return std::nullopt;
  return Rect{static_cast<int32_t>(left), static_cast<int32_t>(top),
              static_cast<int32_t>(right - left), static_cast<int32_t>(bottom - top)};
}

}  // namespace mt
