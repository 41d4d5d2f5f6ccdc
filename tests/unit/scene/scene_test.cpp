// The scene's logic through the seams: fake clock and random numbers, a headless window,
// real graphics on small generated pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "platform/gdi.h"
#include "platform/services.h"
#include "saver/host/mScreenSaver.h"
#include "scene_harness.h"

namespace mt::test {
namespace {

using scene::frmSaver;

constexpr uint32_t kShot = 0x20003, kAmbient = 0x20013;

void Park(frmSaver& f, int32_t i, int32_t x, int32_t y) {
  cSprite& t = f.Turkey(i);
  t.X(x), t.Y(y), t.XDir(0), t.YDir(0);
}
void ParkAllAway(frmSaver& f) {
  for (int32_t i = 1; i <= scene::kTurkeyCount; ++i) Park(f, i, 0, 0);
}

// The recorded calls that start with `prefix`, without it.
std::vector<std::string> CallsOf(const FakeServices& fake, const std::string& prefix) {
  std::vector<std::string> out;
  for (const auto& c : fake.calls)
    if (c.rfind(prefix, 0) == 0) out.push_back(c.substr(prefix.size()));
  return out;
}
std::vector<std::string> Sounds(const FakeServices& fake) {
  return CallsOf(fake, "PlaySound ");
}

struct SceneRun : ::testing::Test {
  FakeServices fake;
  SceneHarness h{fake};
};
using SceneWalking = SceneRun;
using SceneFlock = SceneRun;
using SceneShooting = SceneRun;
using SceneSound = SceneRun;

TEST(SceneFramePeriod, SpeedAboveThousandRunsFramesBackToBack) {
  FakeServices fake;
  SceneHarness h(fake);
  h.Settings("1001", "1", "0");
  ASSERT_FALSE(h.Run(3));
  EXPECT_EQ(h.form->m_lFrameMs, 0);
  // No wait at all; each frame still processes messages in its step and once in the wait.
  EXPECT_EQ(fake.CountCalls("WaitForMessages"), 0);
  EXPECT_EQ(fake.CountCalls("ProcessMessages"), 6);
  EXPECT_EQ(fake.now, 100000u);
}

TEST(SceneFramePeriod, SpeedTwentyWaitsFiftyMillisecondsAcrossTheTickWraps) {
  // Each frame starts at the previous deadline (the fake clock jumps there) and waits 50 ms,
  // also where the tick count crosses 2^31 and 2^32.
  for (uint32_t start : {100000u, 0x7FFFFFFFu - 120u, 0xFFFFFFFFu - 120u}) {
    SCOPED_TRACE(start);
    FakeServices fake;
    SceneHarness h(fake);
    fake.now = start;
    ASSERT_FALSE(h.Run(10));
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(h.form->m_lFramesDone, 10);
    std::vector<std::string> want;
    for (uint32_t i = 1; i <= 10; ++i) want.push_back(std::to_string(start + 50u * i));
    EXPECT_EQ(CallsOf(fake, "WaitForMessages "), want);
    EXPECT_EQ(fake.now, start + 500u);
  }
}

TEST_F(SceneWalking, PosesSwapEverySixthFrameStartingInFrameSeven) {
  std::vector<int32_t> cells;
  h.on_frame = [&](int64_t) { cells.push_back(h.form->Turkey(1).Cell()); };
  ASSERT_FALSE(h.Run(14));
  EXPECT_EQ(cells, (std::vector<int32_t>{1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 1, 1}));
}

TEST_F(SceneWalking, TurkeysWrapAtEachEdge) {
  // 320 x 240; turkeys 12 x 10
  struct Case {
    int32_t x, y, xdir, ydir, want_x, want_y;
  };
  const std::vector<Case> cases = {
      {-5, 50, -8, 0, 332, 50},  // out at the left: a whole sprite beyond the right edge
      {-4, 50, -8, 0, -12, 50},  // exactly -Width stays
      {318, 50, 3, 0, -12, 50},  // out at the right: just outside the left edge
      {317, 50, 3, 0, 320, 50},  // exactly W stays
      {50, -3, 0, -8, 50, 250},  // out at the top
      {50, -2, 0, -8, 50, -10},  // exactly -Height stays
      {50, 238, 0, 3, 50, -10},  // out at the bottom
      {50, 237, 0, 3, 50, 240},  // exactly H stays
      {321, 50, 0, 5, -12, 55},  // no sideways step wraps by the rightward rule
  };
  h.on_restore = [&](int64_t frame) {
    if (frame != 0) return;
    ParkAllAway(*h.form);
    for (size_t i = 0; i < cases.size(); ++i) {
      cSprite& t = h.form->Turkey(static_cast<int32_t>(i) + 1);
      t.X(cases[i].x), t.Y(cases[i].y), t.XDir(cases[i].xdir), t.YDir(cases[i].ydir);
    }
  };
  ASSERT_FALSE(h.Run(1));
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(h.form->Turkey(static_cast<int32_t>(i) + 1).X(), cases[i].want_x);
    EXPECT_EQ(h.form->Turkey(static_cast<int32_t>(i) + 1).Y(), cases[i].want_y);
  }
}

TEST_F(SceneFlock, GroupsWalkTheirWayAndNoTurkeyStandsStill) {
  // The first draw of turkey 1 gives both steps 0 and is repeated.
  fake.randoms = {0.9, 0.01, 0.01, 0.25, 0.5, 1.0};
  int32_t start_x = 0, start_y = 0;
  h.on_restore = [&](int64_t) { start_x = h.form->Turkey(1).X(), start_y = h.form->Turkey(1).Y(); };
  ASSERT_FALSE(h.Run(1));
  // 0.9 went to the ambient number; 0.01 * -8 and 0.01 * -8 round to 0, then 0.25 * -8 = -2
  // and 0.5 * -8 = -4; position 1.0 * 320 = 320, the right edge itself, then the default
  // 0.5 * 240. A start on the edge does not wrap: the first frame only walks.
  EXPECT_EQ(h.form->m_iSoundNumber, 6);
  cSprite& first = h.form->Turkey(1);
  EXPECT_EQ(first.XDir(), -2);
  EXPECT_EQ(first.YDir(), -4);
  EXPECT_EQ(start_x, 320);
  EXPECT_EQ(start_y, 120);
  EXPECT_EQ(first.X(), 318);
  EXPECT_EQ(first.Y(), 116);
  for (int32_t i = 1; i <= scene::kTurkeyCount; ++i) {
    cSprite& t = h.form->Turkey(i);
    EXPECT_TRUE(t.Active());
    EXPECT_FALSE(t.XDir() == 0 && t.YDir() == 0);
    const bool left = i <= 8 || i >= 25;
    EXPECT_EQ(t.XDir() <= 0 && t.YDir() <= 0, left) << i;
  }
  EXPECT_EQ(fake.CountCalls("Randomize"), 1 + scene::kTurkeyCount);
}

TEST_F(SceneShooting, HitTestBoundsIncludeTwentyPixelsEitherWay) {
  h.on_restore = [&](int64_t frame) {
    if (frame == 0) h.window->QueueClick(160, 120);
    if (frame != 1) return;
    // The explosion lands at (160 - 10, 120 - 10).
    ParkAllAway(*h.form);
    const int32_t bx = 150, by = 110;
    const int32_t spots[][2] = {{bx - 20, by}, {bx + 20, by},      {bx, by - 20},
                                {bx, by + 20}, {bx - 20, by - 20}, {bx - 21, by},
                                {bx + 21, by}, {bx, by - 21},      {bx, by + 21}};
    for (int32_t i = 0; i < 9; ++i) Park(*h.form, i + 1, spots[i][0], spots[i][1]);
  };
  ASSERT_FALSE(h.Run(2));
  EXPECT_EQ(h.form->m_cBomb->X(), 150);
  EXPECT_EQ(h.form->m_cBomb->Y(), 110);
  for (int32_t i = 1; i <= 5; ++i) EXPECT_EQ(h.form->Turkey(i).Cell(), 3) << "turkey " << i;
  for (int32_t i = 6; i <= 9; ++i) EXPECT_EQ(h.form->Turkey(i).Cell(), 1) << "turkey " << i;
  EXPECT_FALSE(h.form->m_bShotPending);
}

TEST_F(SceneShooting, HitStagesAdvanceThreeFourFiveAndStay) {
  std::vector<int32_t> cells;
  h.on_restore = [&](int64_t frame) {
    if (frame == 0) ParkAllAway(*h.form), Park(*h.form, 7, 90, 90);
    if (frame % 10 == 0 && frame <= 30) h.window->QueueClick(100, 100, frame == 10 ? 2 : 4);
  };
  h.on_frame = [&](int64_t done) {
    if (done % 10 == 2) cells.push_back(h.form->Turkey(7).Cell());
  };
  ASSERT_FALSE(h.Run(32));
  // Right and middle buttons shoot like the left one; walking never undoes a hit pose.
  EXPECT_EQ(cells, (std::vector<int32_t>{3, 4, 5, 5}));
}

TEST_F(SceneShooting, TwoClicksInOneFrameGiveOneTestAtTheSecond) {
  h.on_restore = [&](int64_t frame) {
    if (frame != 0) return;
    ParkAllAway(*h.form);
    Park(*h.form, 1, 50, 50);    // under the first click's explosion
    Park(*h.form, 2, 190, 140);  // under the second's
    h.window->QueueClick(60, 60);
    h.window->QueueClick(200, 150);
  };
  ASSERT_FALSE(h.Run(2));
  EXPECT_EQ(h.form->Turkey(1).Cell(), 1);
  EXPECT_EQ(h.form->Turkey(2).Cell(), 3);
}

TEST(SceneSettings, ClickPlaysTheWeaponsShotOnlyWithSoundOn) {
  struct Case {
    const char *sound_play, *weapon, *shot, *cursor;
  };
  for (const Case& c :
       {Case{"1", "2", "rifle.wav", "scopeRifle.cur"}, Case{"0", "1", nullptr, "scopeFlame.cur"}}) {
    SCOPED_TRACE(c.weapon);
    FakeServices fake;
    SceneHarness h(fake);
    h.Settings("20", c.sound_play, c.weapon);
    h.on_restore = [&](int64_t f) {
      if (f == 0) h.window->QueueClick(10, 10);
    };
    ASSERT_FALSE(h.Run(2));
    std::vector<std::string> shots;
    if (c.shot) shots.push_back(h.assets + c.shot + " " + std::to_string(kShot));
    EXPECT_EQ(Sounds(fake), shots);
    // Sound off lets the output device go; sound on keeps it.
    EXPECT_EQ(std::count(fake.calls.begin(), fake.calls.end(), "ReleaseSoundDevice"),
              c.shot ? 0 : 1);
    EXPECT_TRUE(h.form->m_bExploding);  // with or without sound
    EXPECT_EQ(h.window->cursor(), h.assets + c.cursor);
  }
}

// The centre pixel of the explosion on the screen, and which cell it shows (0: none).
int32_t ShownBombCell(SceneHarness& h, int32_t cx, int32_t cy) {
  const platform::gdi::ColorRef c = platform::gdi::GetPixel(h.window->ShownDC(), cx, cy);
  for (int32_t cell = 1; cell <= kBombSheet.cells; ++cell) {
    if (c == kBombSheet.CellColour(cell)) return cell;
  }
  return 0;
}

TEST_F(SceneShooting, ExplosionShowsOneToSixThenTwoToSixEachFollowedByAnEmptyStep) {
  std::vector<int32_t> cells, shown;
  h.on_restore = [&](int64_t frame) {
    if (frame == 0) {
      ParkAllAway(*h.form);
      for (int32_t i = 1; i <= scene::kTurkeyCount; ++i) h.form->Turkey(i).Active(false);
    }
    if (frame == 0 || frame == 10) h.window->QueueClick(160, 120);
  };
  h.on_frame = [&](int64_t) {
    cells.push_back(h.form->m_bExploding ? h.form->m_cBomb->Cell() : 0);
    shown.push_back(ShownBombCell(h, 160, 120));
  };
  ASSERT_FALSE(h.Run(19));
  // Recorded at each frame's end, after its messages: a click of frame N shows from N + 1.
  // The first explosion shows cells 1 to 6, the second (its cell reset to 1 and advanced
  // before drawing) 2 to 6; each ends with the empty seventh step that clears the screen.
  EXPECT_EQ(cells, (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 0, 0, 1, 2, 3, 4, 5, 6, 7, 0, 0}));
  EXPECT_EQ(shown, (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 0, 0, 0, 0, 2, 3, 4, 5, 6, 0, 0, 0}));
}

TEST_F(SceneShooting, ClickAfterTheEmptyStepIsTestedOnlyWithTheNextClick) {
  std::vector<int32_t> cells;
  h.on_restore = [&](int64_t frame) {
    if (frame == 0) {
      ParkAllAway(*h.form);
      Park(*h.form, 3, 190, 140);
      h.window->QueueClick(100, 100);
    }
    if (frame == 7) h.window->QueueClick(200, 150);  // arrives after the empty step is drawn
    if (frame == 12) h.window->QueueClick(20, 200);  // far from turkey 3
  };
  h.on_frame = [&](int64_t) { cells.push_back(h.form->Turkey(3).Cell()); };
  ASSERT_FALSE(h.Run(14));
  // The late click ends the explosion unseen and stays pending; the next click's frame
  // tests at the newest position only, so turkey 3 is never hit.
  EXPECT_FALSE(h.form->m_bShotPending);
  for (int32_t c : cells) EXPECT_TRUE(c == 1 || c == 2);
}

TEST_F(SceneSound, AmbientCycleAfterADrawnSixStartsWithSoundOne) {
  fake.randoms = {0.9};  // floor(0.9 * 6 + 1) = 6
  std::vector<size_t> counts;
  h.on_frame = [&](int64_t done) {
    if (done == 99 || done == 100 || done == 699 || done == 700)
      counts.push_back(Sounds(fake).size());
  };
  ASSERT_FALSE(h.Run(700));
  EXPECT_EQ(counts, (std::vector<size_t>{0, 1, 1, 2}));
  EXPECT_EQ(Sounds(fake),
            (std::vector<std::string>{h.assets + "sound1.wav " + std::to_string(kAmbient),
                                      h.assets + "sound2.wav " + std::to_string(kAmbient)}));
  EXPECT_EQ(h.window->TimerInterval(), 30000);
}

TEST(SceneSettings, NoDeviceOrNotExactlyOneKeepsSoundOffAndTheTimerIdle) {
  for (const char* play : {"1", "01", "true"}) {
    SCOPED_TRACE(play);
    FakeServices fake;
    SceneHarness h(fake);
    h.Settings("20", play, "0");
    if (std::string(play) == "1") fake.sound_devices = 0;
    ASSERT_FALSE(h.Run(150));
    EXPECT_FALSE(mScreenSaver::State().m_bSoundOn);
    EXPECT_FALSE(h.window->TimerEnabled());
    EXPECT_TRUE(Sounds(fake).empty());
  }
}

TEST(SceneSetUp, AMissingFileOrASpeedThatIsNoDivisorEndsWithTheMessageBeforeAnyFrame) {
  struct Case {
    const char* what;
    std::function<void(SceneHarness&)> spoil;
    bool shown;  // failures while the frame loop prepares come after the window is shown
  };
  const auto remove = [](const char* file) {
    return [file](SceneHarness& h) { std::filesystem::remove(h.assets + file); };
  };
  const auto speed = [](const char* speed) {
    return [speed](SceneHarness& h) { h.Settings(speed, "1", "0"); };
  };
  const Case cases[] = {
      {"speed 0", speed("0"), true},
      {"speed abc", speed("abc"), true},
      {"empty speed", speed(""), true},
      {"unreadable background",
       [](SceneHarness& h) { WriteFileBytes(h.assets + "background.bmp", "BM not a picture"); },
       false},
      {"no sight cursor", remove("scopeShot.cur"), false},
      // A sheet that failed to load is noticed only when the loop first draws from it.
      {"no turkey sheet", remove("turkeyRight.bmp"), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeServices fake;
    SceneHarness h(fake);
    c.spoil(h);
    ASSERT_TRUE(h.Run(3));
    EXPECT_EQ(fake.messages, (std::vector<std::string>{mScreenSaver::MissingFilesMessage()}));
    EXPECT_TRUE(fake.Called("MessageBox Marrowtide Gobble-run warning"));
    EXPECT_EQ(h.window->shown(), c.shown);
    EXPECT_EQ(h.form->m_lFramesDone, 0);
    EXPECT_EQ(h.exit_status, 0);
  }
}

}  // namespace
}  // namespace mt::test
