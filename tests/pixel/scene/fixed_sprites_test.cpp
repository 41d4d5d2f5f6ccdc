// Where the scene's fixed sprites stand and what lies over what, pixel for pixel: the screen
// after two frames against a picture painted here from the sheets' sizes and colours alone.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/gdi.h"
#include "saver/graphics/cBitmap.h"
#include "scene_harness.h"

namespace mt::test {
namespace {

using platform::gdi::ColorRef;

constexpr int32_t W = 320, H = 240;

// A sprite as the screen must show it: its sheet's cell colour inside the transparent frame.
struct Placed {
  int32_t x, y;
  const SceneSheet& sheet;
  int32_t cell = 1;
};

class Picture {
 public:
  explicit Picture(std::vector<ColorRef> pixels) : pixels_(std::move(pixels)) {}
  void Paint(const Placed& p) {
    const ColorRef c = p.sheet.CellColour(p.cell);
    for (int32_t y = p.y + 1; y < p.y + p.sheet.cell_height - 1; ++y)
      for (int32_t x = p.x + 1; x < p.x + p.sheet.cell_width - 1; ++x)
        if (x >= 0 && y >= 0 && x < W && y < H) pixels_[static_cast<size_t>(y * W + x)] = c;
  }
  // The first pixel where the screen differs, as "x,y: got / want" in hex, or "".
  std::string FirstDifference(platform::gdi::Handle dc) const {
    std::vector<ColorRef> got(pixels_.size());
    platform::gdi::ReadPixels(dc, 0, 0, W, H, got.data());
    for (size_t i = 0; i < got.size(); ++i) {
      if (got[i] == pixels_[i]) continue;
      std::ostringstream out;
      out << i % W << "," << i / W << ": " << std::hex << got[i] << " / " << pixels_[i];
      return out.str();
    }
    return {};
  }

 private:
  std::vector<ColorRef> pixels_;
};

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

  cBitmap background;
  ASSERT_TRUE(background.CreateAtSize(W, H));
  cBitmap tile;
  ASSERT_TRUE(tile.CreateFromFile(h.assets + "background.bmp"));
  for (int32_t y = 0; y < H; y += tile.Height())
    for (int32_t x = 0; x < W; x += tile.Width()) tile.RenderBitmap(background.hDC(), x, y);
  std::vector<ColorRef> pixels(W * H);
  platform::gdi::ReadPixels(background.hDC(), 0, 0, W, H, pixels.data());
  Picture want(std::move(pixels));
  // Grass under the turkeys; the explosion, the logo and the trees over them.
  want.Paint(grass_right);
  want.Paint(grass);
  for (const Placed& t : turkeys) want.Paint(t);
  want.Paint(bomb);
  want.Paint(logo);
  want.Paint(tree);
  want.Paint(tree_small);
  EXPECT_EQ(want.FirstDifference(h.window->hDC()), "");
}

}  // namespace
}  // namespace mt::test
