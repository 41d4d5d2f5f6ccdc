// Two invariants of the real scene over thousands of frames with random clicks, on the
// shipped pictures: after every frame the screen shows exactly the stage, and after every
// frame's restore step the stage is exactly the tiled background again.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/gdi.h"
#include "saver/graphics/cBitmap.h"
#include "saver/scene/headless.h"

namespace {

using mt::scene::frmSaver;
using mt::scene::HeadlessClick;
using mt::scene::HeadlessOptions;
using mt::scene::HeadlessScene;
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

  HeadlessOptions o;
  o.width = width;
  o.height = height;
  o.seed = seed;
  o.frames = 2000;
  o.asset_folder = kAssets;
  o.speed = "70";
  // A click whose successor lands between the explosion's empty seventh step and its end;
  // that explosion was stored at one place and last drawn at another. The later click
  // starts the next explosion, whose restore must go to the stored place. The positions
  // differ by amounts that no tile repeat hides.
  o.clicks = {{0, 150, 140}, {7, width - 90.0, height - 110.0}, {12, 333, 77}};
  std::mt19937 random(static_cast<uint32_t>(seed));
  std::uniform_int_distribution<int32_t> px(0, width - 1), py(0, height - 1), pick(0, 9),
      button(0, 2);
  for (int64_t f = 20; f < o.frames; ++f) {
    if (pick(random) == 0)
      o.clicks.push_back({f, double(px(random)), double(py(random)), 1 << button(random)});
  }

  int64_t restore_failures = 0, screen_failures = 0, explosion_frames = 0;
  o.after_restore = [&](frmSaver& form, int64_t frame) {
    const auto stage = Pixels(form.m_cStage->hDC(), width, height);
    const std::string diff = FirstDifference(stage, background, width);
    if (!diff.empty() && restore_failures++ < 3) {
      ADD_FAILURE() << "frame " << frame << ": stage differs from the background at " << diff;
    }
  };
  o.after_frame = [&](frmSaver& form, int64_t done) {
    if (form.m_bExploding) ++explosion_frames;
    const auto stage = Pixels(form.m_cStage->hDC(), width, height);
    const auto screen = Pixels(form.Window()->hDC(), width, height);
    const std::string diff = FirstDifference(screen, stage, width);
    if (!diff.empty() && screen_failures++ < 3) {
      ADD_FAILURE() << "after frame " << done << ": screen differs from the stage at " << diff;
    }
  };
  HeadlessScene scene(o);
  const auto result = scene.Run();
  ASSERT_FALSE(result.ended) << (scene.Services().messages.empty() ? ""
                                                                   : scene.Services().messages[0]);
  EXPECT_EQ(result.frames, 2000);
  EXPECT_EQ(restore_failures, 0);
  EXPECT_EQ(screen_failures, 0);

  // The run was not idle: explosions ran and turkeys were hit.
  EXPECT_GT(explosion_frames, 500);
  int hit = 0;
  for (int32_t i = 1; i <= mt::scene::kTurkeyCount; ++i) hit += scene.Form().Turkey(i).Cell() >= 3;
  EXPECT_GT(hit, 0);
}

TEST(SceneInvariants, HoldOverTwoThousandFramesAt640x480) {
  RunInvariants(640, 480, 7);
}
TEST(SceneInvariants, HoldOverTwoThousandFramesAt1000x562) {
  RunInvariants(1000, 562, 11);
}

}  // namespace
