// Where the scene's fixed sprites stand and what lies over what, pixel for pixel: the screen
// after two frames against a picture painted here from the sheets' sizes and colours alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "scene_harness.h"

namespace mt::test {
namespace {

constexpr int32_t W = 320, H = 240;

// A sprite as the screen must show it: its sheet's cell colour inside the transparent frame.
struct Placed {
  int32_t x, y;
  const SceneSheet& sheet;
  int32_t cell = 1;
};

void Paint(Picture& picture, const Placed& p) {
  for (int32_t y = std::max(p.y + 1, 0); y < std::min(p.y + p.sheet.cell_height - 1, H); ++y)
    for (int32_t x = std::max(p.x + 1, 0); x < std::min(p.x + p.sheet.cell_width - 1, W); ++x)
      picture[static_cast<size_t>(y * W + x)] = p.sheet.CellColour(p.cell);
}

TEST(SceneFixedSprites, StandInTheirPlacesAndOverlapInDrawingOrder) {
  FakeServices fake;
  SceneHarness h(fake, W, H);

  const Placed grass_right{2 * W / 3, 2 * H / 3, kGrassRightSheet};
  const Placed grass{100, 100, kGrassSheet};
  const Placed logo{W - (kLogoSheet.cell_width + 5), H - (kLogoSheet.cell_height + 3), kLogoSheet};
  const Placed tree{30, H - (kTreeSheet.cell_height + 2), kTreeSheet};
  // The small tree stands the large tree's width from the right edge, not its own.
  const Placed tree_small{W - kTreeSheet.cell_width, 0, kTreeSmallSheet};
  // Four turkeys stand still, each across a fixed sprite, and one explosion across the logo
  // and the turkey there (which it hits), so that every pair's order shows.
  const std::vector<Placed> turkeys = {
      {grass.x + 6, grass.y - 3, kTurkeyLeftSheet},
      {logo.x + 4, logo.y - 4, kTurkeyLeftSheet, 3},
      {tree.x + 5, tree.y + 10, kTurkeyLeftSheet},
      {tree_small.x - 4, tree_small.y + 5, kTurkeyLeftSheet},
  };
  const double click_x = logo.x - 2, click_y = logo.y;
  const Placed bomb{static_cast<int32_t>(click_x) - kBombW / 2,
                    static_cast<int32_t>(click_y) - kBombH / 2, kBombSheet};

  h.on_restore = [&](int64_t frame) {
    if (frame != 0) return;
    for (int32_t i = 1; i <= scene::kTurkeyCount; ++i) {
      cSprite& t = h.form->Turkey(i);
      t.XDir(0), t.YDir(0), t.Active(i <= static_cast<int32_t>(turkeys.size()));
      if (t.Active()) t.X(turkeys[i - 1].x), t.Y(turkeys[i - 1].y);
    }
    h.window->QueueClick(click_x, click_y);
  };
  ASSERT_FALSE(h.Run(2)) << (fake.messages.empty() ? "" : fake.messages[0]);

  Picture want = TiledPicture(h.assets + "background.bmp", W, H);
  // Grass under the turkeys; the explosion, the logo and the trees over them.
  for (const Placed& p : {grass_right, grass}) Paint(want, p);
  for (const Placed& t : turkeys) Paint(want, t);
  for (const Placed& p : {bomb, logo, tree, tree_small}) Paint(want, p);
  EXPECT_EQ(FirstDifference(ReadPicture(h.window->ShownDC(), W, H), want, W), "");
}

}  // namespace
}  // namespace mt::test
