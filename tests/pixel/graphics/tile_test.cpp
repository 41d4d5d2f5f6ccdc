// cTile on the real software GDI: the inclusive tiling bounds, counted transfers, loading
// a file once, pictures, clearing, a tile with no size, and one rectangle tiled alone.
#include <gtest/gtest.h>

#include <memory>

#include "error_kind.h"
#include "gdi_test_util.h"
#include "saver/graphics/cPicture.h"
#include "saver/graphics/cTile.h"
#include "temp_folder.h"

namespace {
using namespace mt::test;
using gdi::ColorRef;

ColorRef TilePixel(int32_t x, int32_t y) {
  return 0x00010000u * (x % 256) + 0x00000100u * (y % 256) + 7;
}

// A render target for the tile: a fake window's surface, and the size the window reports
// in layout units (`units` a pixel), which may leave a margin of the surface uncovered.
struct Window : FakeWindow {
  Window(int32_t w, int32_t h, double units = 1, int32_t margin = 0)
      : FakeWindow(w + margin, h + margin), w(w), h(h), units(units) {}
  double ScaleWidth() { return w * units; }
  double ScaleHeight() { return h * units; }
  gdi::Handle hDC() { return dc; }
  int32_t w, h;
  double units;
};

class Tiling : public ::testing::Test {
 protected:
  std::string Tile(const std::string& name, int32_t w, int32_t h, ColorRef add = 0) {
    const std::string path = dir_ / name;
    WriteBmp24(path, w, h, [&](int32_t x, int32_t y) { return TilePixel(x, y) + add; });
    return path;
  }
  // A 50 x 50 window and a tile for it; Attach makes the window the tile's render target.
  void Attach() { tile.Initialise(std::make_shared<cRenderTargetOf<Window>>(window)); }
  Window window{50, 50};
  cTile tile{ScreenMetrics::Pixels(50, 50)};
  TempFolder dir_;
};

TEST_F(Tiling, ScreenOf1024By768WithA100PixelTileTakes88TransfersAndCoversEverything) {
  Window window(1024, 768);
  cTile tile(ScreenMetrics::Pixels(1024, 768));
  tile.Initialise(std::make_shared<cRenderTargetOf<Window>>(window));
  tile.Filename(Tile("t.bmp", 100, 100));
  tile.TileObject();
  ASSERT_EQ(window.changes.size(), 88u);  // 8 rows (0..700) of 11 (0..1000)
  // Rows top to bottom, each left to right; the last column and row reach past the edges.
  EXPECT_EQ(window.changes.front(), (std::vector<int32_t>{0, 0, 100, 100}));
  EXPECT_EQ(window.changes[10], (std::vector<int32_t>{1000, 0, 24, 100}));
  EXPECT_EQ(window.changes.back(), (std::vector<int32_t>{1000, 700, 24, 68}));
  for (int32_t y = 0; y < 768; y += 7)
    for (int32_t x = 0; x < 1024; ++x)
      ASSERT_EQ(gdi::GetPixel(window.dc, x, y), TilePixel(x % 100, y % 100)) << x << "," << y;
}

TEST_F(Tiling, BoundsAreInclusive) {
  Window window(260, 50);
  cTile tile(ScreenMetrics::Pixels(260, 50));
  tile.Initialise(std::make_shared<cRenderTargetOf<Window>>(window));
  tile.Filename(Tile("t.bmp", 100, 100));
  tile.TileDC(window.dc, 200, 0);
  ASSERT_EQ(window.changes.size(), 3u);  // x = 0, 100 and 200; one row at y = 0
  EXPECT_EQ(window.changes[2][0], 200);
  EXPECT_EQ(gdi::GetPixel(window.dc, 259, 49), TilePixel(59, 49));
  window.changes.clear();
  tile.TileDC(window.dc, -1, 100);  // a negative size draws nothing
  EXPECT_TRUE(window.changes.empty());
}

TEST_F(Tiling, TileObjectConvertsLayoutUnitsToPixels) {
  // 15 units a pixel, as on a 96-dpi Windows screen; a surface larger than the window, so
  // that tiling the size in units would show.
  Window window(230, 40, 15, 800);
  ScreenMetrics metrics{230 * 15.0, 40 * 15.0, 15, 15};
  cTile tile(metrics);
  tile.Initialise(std::make_shared<cRenderTargetOf<Window>>(window));
  tile.Filename(Tile("t.bmp", 100, 100));
  tile.TileObject();
  EXPECT_EQ(window.changes.size(), 3u);  // 230 pixels wide, not 3450
}

TEST_F(Tiling, SameNameTwiceLoadsOnceAndANewNameLoadsAgain) {
  Attach();
  const std::string path = Tile("t.bmp", 50, 50);
  tile.Filename(path);
  Tile("t.bmp", 50, 50, 0x40);  // the file changes on disk
  tile.Filename(path);          // same name: not read again
  tile.TileDC(window.dc, 0, 0);
  EXPECT_EQ(gdi::GetPixel(window.dc, 3, 3), TilePixel(3, 3));
  const std::string other = Tile("u.bmp", 50, 50, 0x20);
  tile.Filename(other);
  EXPECT_EQ(tile.Filename(), other);
  tile.TileDC(window.dc, 0, 0);
  EXPECT_EQ(gdi::GetPixel(window.dc, 3, 3), TilePixel(3, 3) + 0x20);
}

TEST_F(Tiling, BeforeInitialiseNothingLoadsAndAFailedLoadKeepsTheOldName) {
  tile.TileDC(window.dc, 50, 50);  // a tile with no size ends at once
  EXPECT_TRUE(window.changes.empty());
  const std::string path = Tile("t.bmp", 50, 50);
  tile.Filename(path);
  EXPECT_EQ(tile.Filename(), "");
  Attach();
  tile.Filename(path);
  EXPECT_EQ(tile.Filename(), path);
  tile.Filename(dir_ / "missing.bmp");
  EXPECT_EQ(tile.Filename(), path);
  // The old tile went with the attempt: tiling steps by the old size but draws nothing.
  tile.TileDC(window.dc, 50, 50);
  EXPECT_TRUE(window.changes.empty());
}

TEST_F(Tiling, EmptyNameClearsEverythingAndPictureReplacesTheTile) {
  Attach();
  tile.Filename(Tile("t.bmp", 20, 20));
  tile.Filename("");
  EXPECT_EQ(tile.Filename(), "");
  EXPECT_EQ(ErrorKindOf([&] { tile.TileDC(window.dc, 10, 10); }), mt::ErrorKind::MissingObject)
      << "no tile object after a clear";
  Attach();
  EXPECT_THROW(tile.Filename(Tile("t.bmp", 20, 20)), mt::Error);

  auto pic = cPicture::LoadPicture(Tile("p.bmp", 25, 25, 0x30));
  ASSERT_TRUE(pic);
  tile.Picture(pic.get());
  tile.TileDC(window.dc, 49, 49);
  EXPECT_EQ(window.changes.size(), 4u);
  EXPECT_EQ(gdi::GetPixel(window.dc, 30, 30), TilePixel(5, 5) + 0x30);
  // The render target went with the clear that Picture starts with.
  EXPECT_EQ(ErrorKindOf([&] { tile.TileObject(); }), mt::ErrorKind::MissingObject);
}

// A rectangle laid alone shows exactly what tiling the whole surface shows there, across
// tile edges and partly off the surface, and leaves every other pixel as it was.
TEST_F(Tiling, ARectangleGetsTheWholeTilingsPixelsThereAndNothingElseChanges) {
  Attach();
  tile.Filename(Tile("t.bmp", 16, 12));
  const ColorRef kMarker = 0x00123456;
  struct Rect {
    int32_t x, y, w, h;
  };
  for (const Rect r : {Rect{3, 5, 20, 20}, Rect{-7, -9, 30, 30}, Rect{40, 44, 20, 20},
                       Rect{16, 12, 16, 12}, Rect{10, 10, 0, 5}, Rect{60, 0, 5, 5}}) {
    SCOPED_TRACE(std::to_string(r.x) + "," + std::to_string(r.y));
    FillSolid(window.dc, 50, 50, kMarker);
    tile.TileRect(window.dc, r.x, r.y, r.w, r.h);
    ExpectOnlyRectChanged(window.dc, 50, 50, Pixels(50 * 50, kMarker), r.x, r.y, r.w, r.h,
                          [&](int32_t dx, int32_t dy, ColorRef) {
                            return TilePixel((r.x + dx) % 16, (r.y + dy) % 12);
                          });
  }
  tile.Filename("");
  EXPECT_THROW(tile.TileRect(window.dc, 0, 0, 5, 5), mt::Error);
}

TEST_F(Tiling, StepsPastTheLargestCoordinateOverflow) {
  Attach();
  tile.Filename(Tile("tall.bmp", 1, 30000));  // tall, so the loop gets there quickly
  EXPECT_EQ(ErrorKindOf([&] { tile.TileDC(window.dc, 0, INT32_MAX); }), mt::ErrorKind::Overflow)
      << "the row step must overflow";
}

}  // namespace
