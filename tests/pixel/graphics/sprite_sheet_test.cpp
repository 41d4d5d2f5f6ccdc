// cSpriteBitmaps on the real software GDI: transparent drawing with white and with pure
// green as the transparent colour, the build surface, cell geometry, and mask files.
#include <gtest/gtest.h>

#include "gdi_test_util.h"
#include "saver/graphics/cPicture.h"
#include "saver/graphics/cSpriteBitmaps.h"
#include "temp_folder.h"

namespace {
using namespace mt::test;
using gdi::ColorRef;

constexpr ColorRef kWhite = 0x00FFFFFF, kGreen = 0x0000FF00;

// A sheet of 3 x 2 cells of 10 x 8 pixels. Pixel colours vary per cell; a diagonal band
// in each cell is the transparent colour. The sheet also holds near-white, near-green and
// black opaque pixels, the colours a sloppy comparison would get wrong.
ColorRef SheetPixel(int32_t x, int32_t y, ColorRef transparent) {
  const int32_t cx = x % 10, cy = y % 8, cell = (y / 8) * 3 + x / 10;
  if ((cx + cy) % 4 == 0) return transparent;
  if (cx == 1 && cy == 2) return 0x00FEFFFF;
  if (cx == 2 && cy == 2) return 0x0000FE00;
  if (cx == 3 && cy == 5) return 0;
  return (0x00102030u * static_cast<uint32_t>(cell + 1) + static_cast<uint32_t>(cx * 7 + cy)) &
         0x00FFFFFF;
}

class SpriteSheet : public ::testing::Test {
 protected:
  std::string WriteSheet(const std::string& name, ColorRef transparent) {
    const std::string path = dir_ / name;
    WriteBmp24(path, 30, 16, [&](int32_t x, int32_t y) { return SheetPixel(x, y, transparent); });
    return path;
  }
  // A destination with a busy pattern that contains white and green too.
  void Pattern(const MemDC& dst) {
    FillPattern(dst.dc(), dst.w(), dst.h(), 9,
                {0x00000000, kWhite, kGreen, 0x00804020, 0x00123456, 0x00FF00FF});
  }
  // What the destination must show after drawing `cell` at (x, y).
  static void ExpectCellDrawn(const MemDC& dst, const Pixels& before, int32_t x, int32_t y,
                              int32_t cell, ColorRef transparent) {
    const int32_t sx = ((cell - 1) % 3) * 10, sy = ((cell - 1) / 3) * 8;
    ExpectOnlyRectChanged(dst, before, x, y, 10, 8, [&](int32_t dx, int32_t dy, ColorRef was) {
      const ColorRef s = SheetPixel(sx + dx, sy + dy, transparent);
      return s == transparent ? was : s;
    });
  }
  TempFolder dir_;
};

TEST_F(SpriteSheet, TransparentColourLeavesTheDestinationOpaquePixelsAreExactAndDirectShowsWhite) {
  for (ColorRef transparent : {kWhite, kGreen}) {
    for (bool build : {true, false}) {
      SCOPED_TRACE(testing::Message() << std::hex << transparent << " build " << build);
      cSpriteBitmaps sheet;
      ASSERT_TRUE(sheet.CreateFromFile(WriteSheet("s.bmp", transparent), 3, 2, "", transparent));
      MemDC dst(40, 30, false);
      Pattern(dst);
      Pixels before = Snapshot(dst);
      sheet.TransparentDraw(dst.dc(), 7, 5, 5, build);
      ExpectCellDrawn(dst, before, 7, 5, 5, transparent);
      // Across the top-left edge: only what lies inside changes.
      before = Snapshot(dst);
      sheet.TransparentDraw(dst.dc(), -4, -3, 1, build);
      ExpectCellDrawn(dst, before, -4, -3, 1, transparent);
      // Drawn directly, the cell shows as the sheet holds it: the transparent colour white.
      before = Snapshot(dst);
      sheet.DirectBltSprite(dst.dc(), 20, 15, 4);
      ExpectOnlyRectChanged(dst, before, 20, 15, 10, 8, [&](int32_t dx, int32_t dy, ColorRef) {
        const ColorRef s = SheetPixel(dx, 8 + dy, transparent);
        return s == transparent ? kWhite : s;
      });
    }
  }
}

TEST_F(SpriteSheet, BuildSurfaceDeliversTheCellInOneTransfer) {
  // With the build surface the window receives only the finished cell. Without it the
  // destination takes the mask and then the picture: two transfers on Windows, one pass
  // in our own GDI.
  cSpriteBitmaps sheet;
  ASSERT_TRUE(sheet.CreateFromFile(WriteSheet("s.bmp", kGreen), 3, 2, "", kGreen));
  FakeWindow window(40, 30);
  sheet.TransparentDraw(window.dc, 3, 4, 2, true);
  EXPECT_EQ(window.changes.size(), 1u);
  window.changes.clear();
  sheet.TransparentDraw(window.dc, 3, 4, 2, false);
#ifdef _WIN32
  EXPECT_EQ(window.changes.size(), 2u);
#else
  EXPECT_EQ(window.changes.size(), 1u);
#endif
}

TEST_F(SpriteSheet, CellZeroAndCellsPastTheEndDrawNothing) {
  cSpriteBitmaps sheet;
  ASSERT_TRUE(sheet.CreateFromFile(WriteSheet("s.bmp", kWhite), 3, 2));
  MemDC dst(40, 30, false);
  Pattern(dst);
  const Pixels before = Snapshot(dst);
  for (int32_t cell : {0, 7, 9, -2}) {
    for (bool build : {true, false}) {
      sheet.TransparentDraw(dst.dc(), 5, 5, cell, build);
      sheet.DirectBltSprite(dst.dc(), 20, 10, cell);
      ASSERT_EQ(Snapshot(dst), before) << "cell " << cell;
    }
  }
  // A single-cell row: cell 0 lies one cell above.
  cSpriteBitmaps column;
  ASSERT_TRUE(column.CreateFromFile(WriteSheet("c.bmp", kWhite), 1, 2));
  column.TransparentDraw(dst.dc(), 5, 5, 0);
  EXPECT_EQ(Snapshot(dst), before);
}

TEST_F(SpriteSheet, HundredPixelsInThreeCellsMakeThirtyThreeAndTheLastColumnIsNeverDrawn) {
  const std::string path = dir_ / "wide.bmp";
  WriteBmp24(path, 100, 5,
             [](int32_t x, int32_t) { return x == 99 ? 0x000000FFu : 0x00400000u + x; });
  cSpriteBitmaps sheet;
  ASSERT_TRUE(sheet.CreateFromFile(path, 3, 1));
  EXPECT_EQ(sheet.CellWidth(), 33);
  MemDC dst(40, 5, false);
  FillSolid(dst.dc(), 40, 5, 0);
  sheet.DirectBltSprite(dst.dc(), 0, 0, 3);
  for (int32_t x = 0; x < 40; ++x)
    ASSERT_EQ(gdi::GetPixel(dst.dc(), x, 2), x < 33 ? 0x00400000u + 66 + x : 0u) << x;
}

TEST_F(SpriteSheet, SeparateMaskFileIsUsedAsItIsAndTheColourIgnored) {
  // The sheet is white wherever its mask is black, as a sheet with its own mask must be.
  const std::string sheet_path = dir_ / "m_sheet.bmp", mask_path = dir_ / "m_mask.bmp";
  auto opaque = [](int32_t x, int32_t y) { return (x / 2 + y) % 3 != 0; };
  WriteBmp24(sheet_path, 12, 6, [&](int32_t x, int32_t y) {
    return opaque(x, y) ? 0x00204080u + static_cast<uint32_t>(x * 16 + y) : kWhite;
  });
  WriteBmp24(mask_path, 12, 6, [&](int32_t x, int32_t y) { return opaque(x, y) ? kWhite : 0u; });
  cSpriteBitmaps sheet;
  // The transparent colour given (green) must have no effect.
  ASSERT_TRUE(sheet.CreateFromFile(sheet_path, 2, 1, mask_path, kGreen));
  MemDC dst(20, 10, false);
  Pattern(dst);
  const Pixels before = Snapshot(dst);
  sheet.TransparentDraw(dst.dc(), 4, 2, 2, false);
  ExpectOnlyRectChanged(dst, before, 4, 2, 6, 6, [&](int32_t dx, int32_t dy, ColorRef was) {
    return opaque(6 + dx, dy) ? 0x00204080u + static_cast<uint32_t>((6 + dx) * 16 + dy) : was;
  });
}

TEST_F(SpriteSheet, PicturesWorkLikeFilesIncludingAOneBitMaskPicture) {
  auto sheet_pic = cPicture::LoadPicture(WriteSheet("s.bmp", kGreen));
  ASSERT_TRUE(sheet_pic);
  // A one-bit mask picture: white where the green sheet is opaque.
  MemDC mono(30, 16, true);
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 30; ++x)
      gdi::SetPixel(mono.dc(), x, y, SheetPixel(x, y, kGreen) == kGreen ? 0 : kWhite);
  const gdi::Handle mask_bitmap = gdi::CreateCompatibleBitmap(mono.dc(), 30, 16);
  WithBitmap(mask_bitmap,
             [&](gdi::Handle dc) { gdi::BitBlt(dc, 0, 0, 30, 16, mono.dc(), 0, 0, gdi::SRCCOPY); });
  cPicture mask_pic(mask_bitmap);
  // Built from the colour: the same result as from the file.
  cSpriteBitmaps from_colour, from_mask;
  ASSERT_TRUE(from_colour.CreateFromPicture(sheet_pic.get(), 3, 2, nullptr, kGreen));
  ASSERT_TRUE(from_mask.CreateFromPicture(sheet_pic.get(), 3, 2, &mask_pic));
  MemDC a(40, 30, false), b(40, 30, false);
  Pattern(a);
  Pattern(b);
  const Pixels before = Snapshot(a);
  from_colour.TransparentDraw(a.dc(), 6, 6, 6);
  ExpectCellDrawn(a, before, 6, 6, 6, kGreen);
  // With the mask picture the sheet stays green where transparent: AND with green keeps
  // only the destination's green channel there. The opaque pixels are still exact.
  from_mask.TransparentDraw(b.dc(), 6, 6, 6);
  ExpectOnlyRectChanged(b, before, 6, 6, 10, 8, [](int32_t dx, int32_t dy, ColorRef was) {
    const ColorRef s = SheetPixel(20 + dx, 8 + dy, kGreen);
    return s == kGreen ? (was & kGreen) : s;
  });
  // The picture itself is not changed by either.
  WithBitmap(sheet_pic->Handle(),
             [](gdi::Handle dc) { EXPECT_EQ(gdi::GetPixel(dc, 0, 0), kGreen); });
}

}  // namespace
