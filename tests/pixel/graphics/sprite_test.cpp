// cSprite on the real software GDI: which pixels of a "screen" change after StageToScreen,
// saving and restoring the background, and the off-screen start.
#include <gtest/gtest.h>

#include <memory>

#include "common/error.h"
#include "gdi_test_util.h"
#include "saver/graphics/cSprite.h"
#include "saver/graphics/cSpriteBitmaps.h"
#include "temp_folder.h"

namespace {
using namespace mt::test;
using gdi::ColorRef;

struct Rect {
  int32_t x, y, w, h;
  bool Contains(int32_t px, int32_t py) const {
    return px >= x && px < x + w && py >= y && py < y + h;
  }
};

// A stage of 300 x 200 with a pattern and a screen (an external DC, as the window's is)
// of one colour, so that every pixel StageToScreen copies shows.
class SpriteOnStage : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string path = dir_ / "sheet.bmp";
    // One 40 x 30 cell: opaque red with a white (transparent) border column.
    WriteBmp24(path, 40, 30, [](int32_t x, int32_t) { return x == 0 ? 0x00FFFFFFu : 0x000000FFu; });
    sheet_ = std::make_shared<cSpriteBitmaps>();
    ASSERT_TRUE(sheet_->CreateFromFile(path, 1, 1));
    FillPattern(stage_.dc(), 300, 200, 4, {0x00111111, 0x00222222, 0x00333333});
    sprite_.SpriteData(sheet_);
    sprite_.Create();
  }

  // Every screen pixel inside one of the rectangles (clipped) equals the stage; every
  // other keeps the screen's colour.
  void ExpectScreenChangedExactly(const std::vector<Rect>& rects) {
    for (int32_t y = 0; y < 200; ++y)
      for (int32_t x = 0; x < 300; ++x) {
        bool in = false;
        for (const Rect& r : rects) in = in || r.Contains(x, y);
        if (in) {
          ASSERT_EQ(gdi::GetPixel(screen_.dc, x, y), gdi::GetPixel(stage_.dc(), x, y))
              << x << "," << y;
        } else {
          ASSERT_EQ(screen_.pixels[y * 300 + x], kScreen) << x << "," << y;
        }
      }
  }
  void DrawAt(int32_t x, int32_t y) {
    sprite_.RestoreBackground(stage_.dc());
    sprite_.StoreBackground(stage_.dc(), x, y);
    sprite_.TransparentDraw(stage_.dc(), x, y, 1, false);
  }
  void ClearScreen() {
    screen_.pixels.assign(300 * 200, kScreen);
    screen_.changes.clear();
  }

  static constexpr uint32_t kScreen = 0x00ABCDEF;
  TempFolder dir_;
  std::shared_ptr<cSpriteBitmaps> sheet_;
  MemDC stage_{300, 200, false};
  FakeWindow screen_{300, 200, kScreen};
  cSprite sprite_{ScreenMetrics::Pixels(300, 200)};
};

TEST_F(SpriteOnStage, FirstDrawCopiesItsOwnRectangleMovesUpTo24TheCoveringOneLongerOnesTwo) {
  // The first draw copies two rectangles, of which the off-screen start's is clipped away.
  DrawAt(20, 30);
  ClearScreen();
  sprite_.StageToScreen(screen_.dc, stage_.dc());
  EXPECT_EQ(screen_.changes.size(), 1u);
  ExpectScreenChangedExactly({{20, 30, 40, 30}});
  struct Move {
    int32_t x, y;
    std::vector<Rect> copied;
  };
  // From (100, 50). The covering rectangle includes corners neither place touches.
  for (const Move& m : {Move{112, 62, {{100, 50, 52, 42}}},  // |dx| + |dy| = 24
                        Move{103, 48, {{100, 48, 43, 32}}},  // up and right
                        Move{113, 62, {{100, 50, 40, 30}, {113, 62, 40, 30}}}}) {
    SCOPED_TRACE(testing::Message() << m.x << "," << m.y);
    DrawAt(100, 50);
    DrawAt(m.x, m.y);
    ClearScreen();
    EXPECT_EQ(sprite_.BltInTwo(), m.copied.size() == 2);
    sprite_.StageToScreen(screen_.dc, stage_.dc());
    ASSERT_EQ(screen_.changes.size(), m.copied.size());
    ExpectScreenChangedExactly(m.copied);
  }
}

TEST_F(SpriteOnStage, RestoreUndoesTheDrawIncludingPartlyOffStageAndBeforeAnyStoreDoesNothing) {
  const Pixels before = Snapshot(stage_);
  sprite_.RestoreBackground(stage_.dc());
  ASSERT_EQ(Snapshot(stage_), before);
  for (auto [x, y] : {std::pair{50, 60}, std::pair{-15, -10}, std::pair{280, 185}}) {
    DrawAt(x, y);
    EXPECT_NE(Snapshot(stage_), before);
    sprite_.RestoreBackground(stage_.dc());
    ASSERT_EQ(Snapshot(stage_), before) << x << "," << y;
  }
}

TEST_F(SpriteOnStage, RestoreGoesWhereTheAreaWasSavedNotWhereTheSpriteWasLastDrawn) {
  // Stored at one place, drawn at another (the scene does this for one frame when a
  // click lands between an explosion's steps). Restoring at the drawn place would copy
  // the saved area there and leave the sprite's pixels on the stage.
  const Pixels before = Snapshot(stage_);
  sprite_.StoreBackground(stage_.dc(), 10, 10);
  sprite_.TransparentDraw(stage_.dc(), 10, 10, 1, false);
  sprite_.RestoreBackground(stage_.dc());
  sprite_.StoreBackground(stage_.dc(), 150, 100);
  sprite_.TransparentDraw(stage_.dc(), 200, 20, 1, false);  // not where it was stored
  sprite_.RestoreBackground(stage_.dc());
  const Pixels after = Snapshot(stage_);
  for (int32_t y = 0; y < 200; ++y)
    for (int32_t x = 0; x < 300; ++x) {
      const bool drawn = x > 200 && x < 240 && y >= 20 && y < 50;  // column 200 is transparent
      if (!drawn) {
        ASSERT_EQ(after[y * 300 + x], before[y * 300 + x]) << x << "," << y;
      }
    }
}

}  // namespace
