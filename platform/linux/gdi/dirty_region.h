#pragma once
// The changed areas of a window since it was last presented. Blits to a window DC only
// note their rectangle here; the window presents the lot at once when the program next
// processes messages or waits, so a frame costs one trip to the display server however
// many sprites it moved.
#include <cstdint>
#include <vector>

namespace platform::detail {

struct DirtyRect {
  int32_t x = 0, y = 0, w = 0, h = 0;
};

class DirtyRegion {
 public:
  // Rectangles are clipped to (0, 0, width, height); a change of bounds keeps what is noted.
  void SetBounds(int32_t width, int32_t height);
  // Notes a rectangle. One that overlaps a noted rectangle is merged with it when their
  // bounding box has fewer pixels than the two together, so that nothing is sent twice
  // without sending more in all.
  void Add(int32_t x, int32_t y, int32_t w, int32_t h);
  void AddAll() { Add(0, 0, width_, height_); }
  bool Empty() const { return rects_.empty(); }
  // The noted rectangles, which are then forgotten.
  std::vector<DirtyRect> Take();

 private:
  int32_t width_ = 0, height_ = 0;
  std::vector<DirtyRect> rects_;
};

}  // namespace platform::detail
