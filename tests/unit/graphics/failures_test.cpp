// The graphics classes' failure cases, as the caller sees them: false results, and
// mt::Error for division by zero, overflow and missing objects; and the surface routines'
// handle contract.
#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "error_kind.h"
#include "gdi_test_util.h"
#include "saver/graphics/cBitmap.h"
#include "saver/graphics/cPicture.h"
#include "saver/graphics/cSprite.h"
#include "saver/graphics/cSpriteBitmaps.h"
#include "saver/graphics/mGDI.h"
#include "temp_folder.h"

namespace {
using namespace mt::test;

std::string SheetFile(const TempFolder& dir, int32_t w, int32_t h) {
  const std::string path = dir / "sheet.bmp";
  WriteBmp24(path, w, h,
             [](int32_t x, int32_t y) { return 0x00010101u * static_cast<uint32_t>(x + y); });
  return path;
}

TEST(mGDI, SurfacesHaveTheAskedFormatAndFreeWhatTheyHeldOnEveryPath) {
  mGDI::Surface surface;
  ASSERT_TRUE(mGDI::CreateDCAtSize(true, surface, 9, 4));
  const gdi::Handle mask = surface.Bitmap();
  EXPECT_EQ(BitsPerPixel(mask), 1);
  // Creating again frees the first bitmap.
  ASSERT_TRUE(mGDI::CreateDCAtSize(false, surface, 9, 4));
  EXPECT_EQ(BitsPerPixel(mask), -1);
  const gdi::Handle colour = surface.Bitmap();
  EXPECT_EQ(BitsPerPixel(colour), 32);
  {
    // A move hands the bitmap on; the moved-from surface frees nothing.
    mGDI::Surface taken = std::move(surface);
    EXPECT_EQ(surface.hDC(), 0u);
    EXPECT_EQ(BitsPerPixel(colour), 32);
  }
  EXPECT_EQ(BitsPerPixel(colour), -1);
  mGDI::DestroyDC(surface);  // an empty surface: nothing to free

  // A failed creation keeps what it made (the DC) for the owner to free.
  gdi::Handle dc = 0;
  {
    mGDI::Surface failed;
    EXPECT_FALSE(mGDI::CreateDCAtSize(false, failed, 70000, 70000));
    dc = failed.hDC();
    EXPECT_NE(dc, 0u);
    EXPECT_EQ(failed.Bitmap(), 0u);
  }
  EXPECT_FALSE(gdi::DeleteDC(dc));  // already gone

  TempFolder dir;
  mGDI::Surface missing;
  ASSERT_TRUE(mGDI::CreateDCAtSize(false, missing, 2, 2));
  const gdi::Handle before = missing.Bitmap();
  EXPECT_FALSE(mGDI::CreateDCFromFile(false, dir / "missing.bmp", missing));
  EXPECT_EQ(missing.hDC(), 0u);
  EXPECT_EQ(missing.Bitmap(), 0u);
  EXPECT_EQ(BitsPerPixel(before), -1);
}

TEST(mGDI, PictureCopiesKeepTheirFormatOnlyWhenAskedFor) {
  TempFolder dir;
  auto colour = cPicture::LoadPicture(SheetFile(dir, 6, 3));
  ASSERT_TRUE(colour);
  MemDC ref(1, 1, true);
  cPicture mono(gdi::CreateCompatibleBitmap(ref.dc(), 6, 3));
  mGDI::Surface surface;
  ASSERT_TRUE(mGDI::CreateDCFromPicture(true, &mono, surface));
  EXPECT_EQ(BitsPerPixel(surface.Bitmap()), 1);
  ASSERT_TRUE(mGDI::CreateDCFromPicture(false, &mono, surface));
  EXPECT_EQ(BitsPerPixel(surface.Bitmap()), 32);
  ASSERT_TRUE(mGDI::CreateDCFromPicture(false, colour.get(), surface));
  EXPECT_EQ(gdi::GetPixel(surface.hDC(), 5, 2), 0x00070707u);
  mGDI::DestroyDC(surface);
  // The picture still holds its bitmap and can be used again.
  EXPECT_EQ(BitsPerPixel(colour->Handle()), 32);
  EXPECT_EQ(ErrorKindOf([&] { mGDI::CreateDCFromPicture(false, nullptr, surface); }),
            mt::ErrorKind::MissingObject);
}

TEST(cBitmap, EmptyObjectDrawsNothingAFailedLoadKeepsTheLastSizeAndRenderCopiesByDefault) {
  cBitmap bitmap;
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.hDC(), 0u);
  MemDC dst(5, 5, false);
  FillSolid(dst.dc(), 5, 5, 0x00334455);
  bitmap.RenderBitmap(dst.dc(), 0, 0);
  EXPECT_EQ(Snapshot(dst), Pixels(25, 0x00334455));
  ASSERT_TRUE(bitmap.CreateAtSize(800, 600));
  TempFolder dir;
  EXPECT_FALSE(bitmap.CreateFromFile(dir / "missing.bmp"));
  EXPECT_EQ(bitmap.hDC(), 0u);
  EXPECT_EQ(bitmap.Width(), 800);
  EXPECT_EQ(bitmap.Height(), 600);

  // Rendering copies by default and clips at negative positions.
  ASSERT_TRUE(bitmap.CreateFromFile(SheetFile(dir, 4, 3)));
  EXPECT_EQ(bitmap.Width(), 4);
  EXPECT_EQ(bitmap.Height(), 3);
  FillSolid(dst.dc(), 5, 5, 0x00808080);
  bitmap.RenderBitmap(dst.dc(), -2, -1);                  // SRCCOPY, not a combining operation
  EXPECT_EQ(gdi::GetPixel(dst.dc(), 0, 0), 0x00030303u);  // source pixel (2, 1)
  EXPECT_EQ(gdi::GetPixel(dst.dc(), 1, 1), 0x00050505u);
  EXPECT_EQ(gdi::GetPixel(dst.dc(), 2, 0), 0x00808080u);
  bitmap.RenderBitmap(dst.dc(), 0, 0, gdi::SRCAND);  // any operation can be asked for
  EXPECT_EQ(gdi::GetPixel(dst.dc(), 1, 1), 0x00050505u & 0x00020202u);
  EXPECT_EQ(gdi::GetPixel(dst.dc(), 3, 0), 0x00808080u & 0x00030303u);
}

TEST(cSpriteBitmaps, ZeroCellCountsAndNeverCreatedSheetsDivideByZeroAbsurdCellsOverflow) {
  TempFolder dir;
  const std::string path = SheetFile(dir, 30, 20);
  cSpriteBitmaps sheet;
  EXPECT_EQ(ErrorKindOf([&] { sheet.CreateFromFile(path, 0, 2); }), mt::ErrorKind::DivisionByZero);
  EXPECT_EQ(ErrorKindOf([&] { sheet.CreateFromFile(path, 3, 0); }), mt::ErrorKind::DivisionByZero);
  EXPECT_FALSE(sheet.CreateFromFile(dir / "missing.bmp", 1, 1));
  EXPECT_FALSE(sheet.CreateFromFile(path, 1, 1, dir / "missing_mask.bmp"));
  EXPECT_EQ(sheet.CellWidth(), 0);
  MemDC dst(4, 4, false);
  FillSolid(dst.dc(), 4, 4, 0x00111111);
  sheet.TransparentDraw(dst.dc(), 0, 0, 1);
  EXPECT_EQ(Snapshot(dst), Pixels(16, 0x00111111));

  cSpriteBitmaps never;
  EXPECT_EQ(ErrorKindOf([&] { never.TransparentDraw(0, 0, 0, 1); }), mt::ErrorKind::DivisionByZero);
  EXPECT_EQ(ErrorKindOf([&] { never.DirectBltSprite(0, 0, 0, 1); }), mt::ErrorKind::DivisionByZero);
  ASSERT_TRUE(sheet.CreateFromFile(path, 3, 2));
  EXPECT_EQ(ErrorKindOf([&] { sheet.TransparentDraw(0, 0, 0, INT_MIN); }), mt::ErrorKind::Overflow);
  EXPECT_EQ(ErrorKindOf([&] { sheet.TransparentDraw(0, 0, 0, INT_MAX); }), mt::ErrorKind::Overflow);
}

TEST(cSprite, OffScreenStartIsMinusTheScreenInPixels) {
  // 1024 x 768 pixels at 15 layout units per pixel, as Windows reports them.
  cSprite sprite(ScreenMetrics{15360, 11520, 15, 15});
  EXPECT_EQ(sprite.PreviousX(), -1024);
  EXPECT_EQ(sprite.PreviousY(), -768);
  // Fractions: units rounded half to even, then divided with truncation.
  cSprite odd(ScreenMetrics{1000.5, 301.5, 2.5, 2.0});
  EXPECT_EQ(odd.PreviousX(), -500);  // -1000 / 2
  EXPECT_EQ(odd.PreviousY(), -151);  // -302 / 2
  EXPECT_EQ(ErrorKindOf([] {
              cSprite zero(ScreenMetrics{100, 100, 0.4, 1});
            }),
            mt::ErrorKind::DivisionByZero);
}

TEST(cSprite, MissingSheetAndOverflowsReachTheCaller) {
  cSprite sprite(ScreenMetrics::Pixels(100, 100));
  EXPECT_EQ(ErrorKindOf([&] { sprite.Create(); }), mt::ErrorKind::MissingObject);
  EXPECT_EQ(ErrorKindOf([&] { sprite.TransparentDraw(0, 0, 0, 1, false); }),
            mt::ErrorKind::MissingObject);
  sprite.X(INT_MAX - 1);
  sprite.Y(INT_MAX);
  sprite.XDir(1);
  sprite.YDir(1);
  EXPECT_EQ(ErrorKindOf([&] { sprite.IncrementPosition(); }), mt::ErrorKind::Overflow);

  TempFolder dir;
  auto sheet = std::make_shared<cSpriteBitmaps>();
  ASSERT_TRUE(sheet->CreateFromFile(SheetFile(dir, 10, 10), 1, 1));
  sprite.SpriteData(sheet);
  sprite.TransparentDraw(0, INT_MAX, 0, 1, false);  // previous is -100: the distance overflows
  EXPECT_EQ(ErrorKindOf([&] { (void)sprite.BltInTwo(); }), mt::ErrorKind::Overflow);
  EXPECT_EQ(ErrorKindOf([&] { sprite.StageToScreen(0, 0); }), mt::ErrorKind::Overflow);
}

}  // namespace
