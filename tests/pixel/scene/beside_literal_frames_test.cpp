// The program's frame loop beside the frame steps written out literally (every sprite
// restored, saved, drawn and copied in every frame), over thousands of frames with random
// clicks on the shipped pictures, at two screen sizes. After every frame both show the same
// screen and compose the same stage, pixel for pixel, and the screen shows exactly the
// stage (the program composes in the window's own pixels: so every change was presented). After every restore step the literal stage is exactly the tiled background again;
// the program's is too, but where the fixed sprites keep their pixels in that frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "literal_frame.h"
#include "platform/gdi.h"
#include "scene_harness.h"

namespace {

using namespace mt::test;

const std::string kAssets = MT_DIST_ASSETS;
// The Windows build runs fewer frames: under Wine every frame costs many times more.
#ifndef MT_BESIDE_FRAMES
#define MT_BESIDE_FRAMES 2000
#endif
constexpr int64_t kFrames = MT_BESIDE_FRAMES;

// Whole pictures read after every frame, into buffers kept for the run.
struct Reader {
  int32_t w, h;
  Picture buffers[4];
  const Picture& operator()(int slot, platform::gdi::Handle dc) {
    Picture& out = buffers[slot];
    out.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    platform::gdi::ReadPixels(dc, 0, 0, w, h, out.data());
    return out;
  }
};

// FirstDifference at the pixels where `kept` is false.
template <class Kept>
std::string FirstDifferenceBut(const Picture& a, const Picture& b, int32_t w, Kept kept) {
  if (a == b) return {};
  const auto h = static_cast<int32_t>(a.size() / static_cast<size_t>(w));
  for (int32_t y = 0, i = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x, ++i) {
      if (a[static_cast<size_t>(i)] != b[static_cast<size_t>(i)] && !kept(x, y))
        return std::to_string(x) + "," + std::to_string(y);
    }
  }
  return {};
}

std::vector<const cSprite*> FixedOf(const mt::scene::frmSaver& form) {
  return {form.m_cGrassPatchRight.get(), form.m_cGrassPatch.get(), form.m_cLogo.get(),
          form.m_cTree.get(), form.m_cTreeSmall.get()};
}

void RunBesideLiteralFrames(int32_t width, int32_t height, uint64_t seed) {
  // The expected stage, built without the tile class.
  const Picture background = TiledPicture(kAssets + "background.bmp", width, height);
  ASSERT_FALSE(background.empty());

  // The literal frames: set up on the same seed, screen and pictures, held before its
  // first frame, then stepped frame by frame beside the program.
  FakeServices literal_fake;
  literal_fake.Seed(seed);
  SceneHarness lh(literal_fake, width, height, kAssets);
  lh.Settings("70", "1", "0");
  // As the steps are written: a stage of its own, copied to a screen of its own.
  lh.window_pixels = HeadlessWindow::Pixels::kOwnBitmap;
  lh.make_form = [](mt::scene::SceneOptions o) -> std::unique_ptr<mt::scene::frmSaver> {
    auto form = std::make_unique<LiteralFrameSaver>(std::move(o));
    form->hold = true;
    return form;
  };
  ASSERT_THROW(lh.Run(), LiteralFrameSaver::Held);
  auto& literal = static_cast<LiteralFrameSaver&>(*lh.form);
  literal.hold = false;

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
  std::mt19937 random(static_cast<uint32_t>(seed));
  std::uniform_int_distribution<int32_t> px(0, width - 1), py(0, height - 1), pick(0, 9),
      button(0, 2);
  for (int64_t f = 20; f < kFrames; ++f) {
    if (pick(random) == 0)
      clicks.push_back({f, double(px(random)), double(py(random)), 1 << button(random)});
  }

  int64_t failures = 0, explosion_frames = 0, fixed_left_alone = 0, fixed_in_parts = 0;
  Reader read{width, height, {}};
  auto check = [&](const std::string& diff, const std::string& what) {
    if (!diff.empty() && failures++ < 3) ADD_FAILURE() << what << " at " << diff;
  };
  lh.on_restore = [&](int64_t frame) {
    check(FirstDifference(read(0, literal.m_cStage->hDC()), background, width),
          "frame " + std::to_string(frame) +
              ": the literal stage after restoring differs from "
              "the background");
  };
  size_t next_click = 0;
  h.on_restore = [&](int64_t frame) {
    while (next_click < clicks.size() && clicks[next_click].frame == frame) {
      const Click& c = clicks[next_click++];
      h.window->QueueClick(c.x, c.y, c.button);
      lh.window->QueueClick(c.x, c.y, c.button);
    }
    // A fixed sprite stays on the stage outside its parts due so far.
    const auto& fixed = h.form->m_oFixedSprites;
    auto kept = [&](int32_t x, int32_t y) {
      auto in = [&](int32_t left, int32_t top, int32_t w, int32_t h) {
        return x >= left && x < left + w && y >= top && y < top + h;
      };
      for (const cSprite* s : FixedOf(*h.form)) {
        if (!in(s->X(), s->Y(), s->Width(), s->Height()) || fixed.Whole(*s)) continue;
        const auto& parts = fixed.DueParts(*s);
        if (std::none_of(parts.begin(), parts.end(),
                         [&](const auto& p) { return in(p.x, p.y, p.width, p.height); }))
          return true;
      }
      return false;
    };
    check(FirstDifferenceBut(read(0, h.form->m_cStage->hDC()), background, width, kept),
          "frame " + std::to_string(frame) +
              ": the stage after restoring differs from the background outside what the "
              "fixed sprites keep");
  };
  h.on_frame = [&](int64_t done) {
    // The literal frame with the same clicks.
    literal.ComposeFrame();
    lh.window->Pump();
    ++literal.m_lFramesDone;
    if (h.form->m_bExploding) ++explosion_frames;
    for (const cSprite* s : FixedOf(*h.form)) {
      const auto& fixed = h.form->m_oFixedSprites;
      if (!fixed.Whole(*s)) ++(fixed.DueParts(*s).empty() ? fixed_left_alone : fixed_in_parts);
    }
    const std::string after = "after frame " + std::to_string(done) + ": ";
    const auto& stage = read(0, h.form->m_cStage->hDC());
    const auto& screen = read(1, h.window->ShownDC());
    check(FirstDifference(screen, read(2, lh.window->ShownDC()), width),
          after + "the screen differs from the literal frame's");
    check(FirstDifference(stage, read(3, literal.m_cStage->hDC()), width),
          after + "the stage differs from the literal frame's");
    check(FirstDifference(screen, stage, width), after + "the screen differs from the stage");
  };
  ASSERT_FALSE(h.Run(kFrames)) << (fake.messages.empty() ? "" : fake.messages[0]);
  EXPECT_EQ(h.form->m_lFramesDone, kFrames);
  EXPECT_EQ(failures, 0);

  // The run was not idle: explosions ran, turkeys were hit, and fixed sprites were both left
  // alone and redone in parts in many frames.
  EXPECT_GT(explosion_frames, kFrames / 4);
  EXPECT_GT(fixed_left_alone, kFrames / 4);
  EXPECT_GT(fixed_in_parts, kFrames / 4);
  int hit = 0;
  for (int32_t i = 1; i <= mt::scene::kTurkeyCount; ++i) hit += h.form->Turkey(i).Cell() >= 3;
  EXPECT_GT(hit, 0);
}

TEST(SceneBesideLiteralFrames, SamePixelsFrameByFrameAt1600x900) {
  RunBesideLiteralFrames(1600, 900, 7);
}
TEST(SceneBesideLiteralFrames, SamePixelsFrameByFrameAt1000x562) {
  RunBesideLiteralFrames(1000, 562, 11);
}

}  // namespace
