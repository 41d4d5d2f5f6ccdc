// The dirty rectangles a window presents once a frame: nothing noted is lost, nothing is
// sent outside the window, and merging never makes a present move more pixels.
#include "gdi/dirty_region.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {
using platform::detail::DirtyRect;
using platform::detail::DirtyRegion;

int64_t Area(const DirtyRect& r) {
  return int64_t{r.w} * r.h;
}

TEST(DirtyRegion, ASpriteMovingAPixelIsOneRectangle) {
  DirtyRegion region;
  region.SetBounds(640, 480);
  region.Add(100, 50, 72, 72);  // where it was
  region.Add(101, 52, 72, 72);  // where it is
  const auto rects = region.Take();
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].x, 100);
  EXPECT_EQ(rects[0].y, 50);
  EXPECT_EQ(rects[0].w, 73);
  EXPECT_EQ(rects[0].h, 74);
  EXPECT_TRUE(region.Empty());
}

TEST(DirtyRegion, AMergeThatReachesAThirdRectangleTakesItIn) {
  DirtyRegion region;
  region.SetBounds(640, 480);
  region.Add(0, 0, 50, 50);
  region.Add(60, 0, 50, 50);  // apart from the first
  region.Add(10, 0, 80, 50);  // overlaps both; its merge with one overlaps the other
  const auto rects = region.Take();
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].x, 0);
  EXPECT_EQ(rects[0].w, 110);
}

// Random frames of rectangles: every noted pixel inside the window is presented, none
// outside, and the present moves no more pixels than the rectangles as noted.
TEST(DirtyRegion, RandomFramesLoseNothingAndNeverMoveMore) {
  constexpr int32_t kW = 96, kH = 64;
  std::mt19937 random(5);
  std::uniform_int_distribution<int32_t> pos(-20, 100), size(0, 40), count(1, 40);
  for (int frame = 0; frame < 300; ++frame) {
    DirtyRegion region;
    region.SetBounds(kW, kH);
    std::vector<int> noted(kW * kH, 0);
    int64_t noted_area = 0;
    for (int n = count(random); n > 0; --n) {
      const int32_t x = pos(random), y = pos(random), w = size(random), h = size(random);
      region.Add(x, y, w, h);
      int64_t inside = 0;
      for (int32_t py = std::max(y, 0); py < std::min(y + h, kH); ++py)
        for (int32_t px = std::max(x, 0); px < std::min(x + w, kW); ++px, ++inside)
          noted[py * kW + px] = 1;
      noted_area += inside;
    }
    std::vector<int> presented(kW * kH, 0);
    int64_t presented_area = 0;
    for (const DirtyRect& r : region.Take()) {
      ASSERT_TRUE(r.x >= 0 && r.y >= 0 && r.w > 0 && r.h > 0 && r.x + r.w <= kW && r.y + r.h <= kH)
          << "frame " << frame;
      presented_area += Area(r);
      for (int32_t py = r.y; py < r.y + r.h; ++py)
        for (int32_t px = r.x; px < r.x + r.w; ++px) presented[py * kW + px] = 1;
    }
    for (int i = 0; i < kW * kH; ++i)
      ASSERT_FALSE(noted[i] && !presented[i]) << "frame " << frame << ", pixel " << i;
    EXPECT_LE(presented_area, noted_area) << "frame " << frame;
  }
}

}  // namespace
