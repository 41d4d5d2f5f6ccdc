// Two invariants of the real scene over thousands of frames with random clicks, on the
// shipped pictures: after every frame the screen shows exactly the stage, and after every
// frame's restore step the stage is exactly the tiled background again.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "scene_harness.h"

namespace {

using namespace mt::test;

const std::string kAssets = MT_DIST_ASSETS;

void RunInvariants(int32_t width, int32_t height, uint64_t seed) {
  // The expected stage, built without the tile class.
  const Picture background = TiledPicture(kAssets + "background.bmp", width, height);
  ASSERT_FALSE(background.empty());

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
    const auto stage = ReadPicture(h.form->m_cStage->hDC(), width, height);
    const std::string diff = FirstDifference(stage, background, width);
    if (!diff.empty() && restore_failures++ < 3) {
      ADD_FAILURE() << "frame " << frame << ": stage differs from the background at " << diff;
    }
  };
  h.on_frame = [&](int64_t done) {
    if (h.form->m_bExploding) ++explosion_frames;
    const auto stage = ReadPicture(h.form->m_cStage->hDC(), width, height);
    const auto screen = ReadPicture(h.window->hDC(), width, height);
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
