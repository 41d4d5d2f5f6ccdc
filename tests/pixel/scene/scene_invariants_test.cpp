// Two invariants of the real scene over thousands of frames with random clicks, on the
// shipped pictures: after every frame the screen shows exactly the stage, and after every
// frame's restore step the stage is exactly the tiled background again.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/gdi.h"
#include "saver/graphics/cBitmap.h"
#include "scene_harness.h"

namespace {

using mt::test::FakeServices;
using mt::test::SceneHarness;
using platform::gdi::ColorRef;

const std::string kAssets = MT_DIST_ASSETS;

std::vector<ColorRef> Pixels(platform::gdi::Handle dc, int32_t w, int32_t h) {
  std::vector<ColorRef> out(static_cast<size_t>(w) * static_cast<size_t>(h));
  platform::gdi::ReadPixels(dc, 0, 0, w, h, out.data());
  return out;
}

// The first differing pixel, as "x,y", or "" when equal.
std::string FirstDifference(const std::vector<ColorRef>& a, const std::vector<ColorRef>& b,
                            int32_t w) {
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i])
      return std::to_string(i % static_cast<size_t>(w)) + "," +
             std::to_string(i / static_cast<size_t>(w));
  }
  return {};
}

void RunInvariants(int32_t width, int32_t height, uint64_t seed) {
  // The expected stage, built without the tile class: background.bmp repeated from (0, 0).
  cBitmap tile;
  ASSERT_TRUE(tile.CreateFromFile(kAssets + "background.bmp"));
  const auto tile_pixels = Pixels(tile.hDC(), tile.Width(), tile.Height());
  std::vector<ColorRef> background(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      background[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
          tile_pixels[static_cast<size_t>(y % tile.Height()) * static_cast<size_t>(tile.Width()) +
                      static_cast<size_t>(x % tile.Width())];
    }
  }

  FakeServices fake;
  fake.Seed(seed);
  SceneHarness h(fake, width, height, kAssets);
  h.Settings("70", "1", "0");
  // A click whose successor lands between the explosion's empty seventh step and its end;
  // that explosion was stored at one place and last drawn at another. The later click
  // starts the next explosion, whose restore must go to the stored place. The positions
  // differ by amounts that no tile repeat hides.
  struct Click {
    int64_t frame;
    double x, y;
    int button;
  };
  std::vector<Click> clicks = {
      {0, 150, 140, 1}, {7, width - 90.0, height - 110.0, 1}, {12, 333, 77, 1}};
  constexpr int64_t kFrames = 2000;
  std::mt19937 random(static_cast<uint32_t>(seed));
  std::uniform_int_distribution<int32_t> px(0, width - 1), py(0, height - 1), pick(0, 9),
      button(0, 2);
  for (int64_t f = 20; f < kFrames; ++f) {
    if (pick(random) == 0)
      clicks.push_back({f, double(px(random)), double(py(random)), 1 << button(random)});
  }

  int64_t restore_failures = 0, screen_failures = 0, explosion_frames = 0;
  size_t next_click = 0;
  h.on_restore = [&](int64_t frame) {
    while (next_click < clicks.size() && clicks[next_click].frame == frame) {
      const Click& c = clicks[next_click++];
      h.window->QueueClick(c.x, c.y, c.button);
    }
    const auto stage = Pixels(h.form->m_cStage->hDC(), width, height);
    const std::string diff = FirstDifference(stage, background, width);
    if (!diff.empty() && restore_failures++ < 3) {
      ADD_FAILURE() << "frame " << frame << ": stage differs from the background at " << diff;
    }
  };
  h.on_frame = [&](int64_t done) {
    if (h.form->m_bExploding) ++explosion_frames;
    const auto stage = Pixels(h.form->m_cStage->hDC(), width, height);
    const auto screen = Pixels(h.window->hDC(), width, height);
    const std::string diff = FirstDifference(screen, stage, width);
    if (!diff.empty() && screen_failures++ < 3) {
      ADD_FAILURE() << "after frame " << done << ": screen differs from the stage at " << diff;
    }
  };
  ASSERT_FALSE(h.Run(kFrames)) << (fake.messages.empty() ? "" : fake.messages[0]);
  EXPECT_EQ(h.form->m_lFramesDone, kFrames);
  EXPECT_EQ(restore_failures, 0);
  EXPECT_EQ(screen_failures, 0);

  // The run was not idle: explosions ran and turkeys were hit.
  EXPECT_GT(explosion_frames, 500);
  int hit = 0;
  for (int32_t i = 1; i <= mt::scene::kTurkeyCount; ++i) hit += h.form->Turkey(i).Cell() >= 3;
  EXPECT_GT(hit, 0);
}

TEST(SceneInvariants, HoldOverTwoThousandFramesAt640x480) {
  RunInvariants(640, 480, 7);
}
TEST(SceneInvariants, HoldOverTwoThousandFramesAt1000x562) {
  RunInvariants(1000, 562, 11);
}

}  // namespace
