// The software GDI's objects: handles, selection, formats, colours, the screen's DC and
// external DCs.
#include <gtest/gtest.h>

#include "gdi_test_util.h"

namespace {
using namespace mt::test;
namespace detail = platform::detail;

TEST(MemoryDC, StartsOneBitWithDefaultColoursAndMakesBitmapsOnlyOfSoundSizes) {
  const gdi::Handle dc = gdi::CreateCompatibleDC(0);
  ASSERT_NE(dc, 0u);
  EXPECT_EQ(gdi::GetBkColor(dc), 0x00FFFFFFu);
  EXPECT_EQ(gdi::SetTextColor(dc, 0x00112233), 0u);  // text starts black
  EXPECT_NE(gdi::GetPixel(dc, 0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(gdi::GetPixel(dc, 1, 0), 0xFFFFFFFFu);
  // Compatible with a new DC means one bit a pixel; with the screen, 32.
  const gdi::Handle mono = gdi::CreateCompatibleBitmap(dc, 8, 3);
  const gdi::Handle screen = gdi::GetDC(gdi::GetDesktopWindow());
  ASSERT_NE(screen, 0u);
  const gdi::Handle colour = gdi::CreateCompatibleBitmap(screen, 8, 3);
  // Sizes that cannot be made, and a DC that does not exist, give no bitmap.
#ifdef _WIN32
  // gdi32 makes a 1 x 1 one-bit bitmap for a zero size, as documented.
  const gdi::Handle empty = gdi::CreateCompatibleBitmap(screen, 0, 10);
  EXPECT_EQ(BitsPerPixel(empty), 1);
  gdi::DeleteObject(empty);
#else
  EXPECT_EQ(gdi::CreateCompatibleBitmap(screen, 0, 10), 0u);
  EXPECT_EQ(gdi::CreateCompatibleBitmap(screen, 10, -1), 0u);
#endif
  EXPECT_EQ(gdi::CreateCompatibleBitmap(screen, 70000, 70000), 0u);
  EXPECT_EQ(gdi::CreateCompatibleBitmap(12345678, 10, 10), 0u);
  EXPECT_EQ(gdi::ReleaseDC(gdi::GetDesktopWindow(), screen), 1);
  EXPECT_EQ(BitsPerPixel(mono), 1);
  EXPECT_EQ(BitsPerPixel(colour), 32);
  gdi::BitmapInfo info;
  ASSERT_EQ(gdi::GetObject(colour, &info), 24);
  EXPECT_EQ(info.bmWidth, 8);
  EXPECT_EQ(info.bmHeight, 3);
  EXPECT_TRUE(gdi::DeleteObject(mono));
  EXPECT_TRUE(gdi::DeleteObject(colour));
  EXPECT_TRUE(gdi::DeleteDC(dc));
}

TEST(MemoryDC, SelectReturnsPreviousAndABitmapLivesInOneDcAtATime) {
#ifdef _WIN32
  GTEST_SKIP() << "Wine's DeleteObject deletes a bitmap still selected (documented: it fails)";
#endif
  const gdi::Handle a = gdi::CreateCompatibleDC(0), b = gdi::CreateCompatibleDC(0);
  const gdi::Handle bitmap = ScreenBitmap(5, 5);
  const gdi::Handle stock = gdi::SelectObject(a, bitmap);
  EXPECT_NE(stock, 0u);
  EXPECT_EQ(gdi::SelectObject(b, bitmap), 0u);  // already held by a
  EXPECT_FALSE(gdi::DeleteObject(bitmap));      // still selected
  EXPECT_EQ(gdi::SelectObject(a, stock), bitmap);
  EXPECT_NE(gdi::SelectObject(b, bitmap), 0u);  // free again
  EXPECT_TRUE(gdi::DeleteDC(b));                // releases the bitmap, does not free it
  EXPECT_EQ(BitsPerPixel(bitmap), 32);
  EXPECT_TRUE(gdi::DeleteObject(bitmap));
  EXPECT_EQ(BitsPerPixel(bitmap), -1);
  EXPECT_TRUE(gdi::DeleteDC(a));
  EXPECT_FALSE(gdi::DeleteDC(a));
}

TEST(Handles, StaleHandlesStayDeadWhenSlotsAreReused) {
  const gdi::Handle first = ScreenBitmap(2, 2);
  ASSERT_TRUE(gdi::DeleteObject(first));
  const gdi::Handle second = ScreenBitmap(3, 3);
  EXPECT_NE(first, second);
  EXPECT_EQ(BitsPerPixel(first), -1);
  EXPECT_FALSE(gdi::DeleteObject(first));
  EXPECT_EQ(BitsPerPixel(second), 32);
  // A DC handle is not a bitmap, and the other way round.
  const gdi::Handle dc = gdi::CreateCompatibleDC(0);
#ifndef _WIN32  // Wine's DeleteObject deletes a DC too (documented: GDI objects only)
  EXPECT_FALSE(gdi::DeleteObject(dc));
#endif
  EXPECT_FALSE(gdi::DeleteDC(second));
  gdi::DeleteDC(dc);
  gdi::DeleteObject(second);
}

TEST(Colours, SetBkColorReturnsThePreviousAndPixelsRoundTrip) {
  MemDC colour(3, 1, false), mono(3, 1, true);
  EXPECT_EQ(gdi::SetBkColor(colour.dc(), 0x0000FF00), 0x00FFFFFFu);
  EXPECT_EQ(gdi::SetBkColor(colour.dc(), 0x00123456), 0x0000FF00u);
  EXPECT_EQ(gdi::SetBkColor(0, 0), 0xFFFFFFFFu);
  gdi::SetPixel(colour.dc(), 1, 0, 0x00A1B2C3);
  EXPECT_EQ(gdi::GetPixel(colour.dc(), 1, 0), 0x00A1B2C3u);
  EXPECT_EQ(gdi::GetPixel(colour.dc(), -1, 0), 0xFFFFFFFFu);
  // A one-bit surface holds black or white only: the nearer one.
  EXPECT_EQ(gdi::SetPixel(mono.dc(), 0, 0, 0x00F0F0F0), 0x00FFFFFFu);
  EXPECT_EQ(gdi::SetPixel(mono.dc(), 1, 0, 0x00202020), 0u);
  EXPECT_EQ(gdi::GetPixel(mono.dc(), 0, 0), 0x00FFFFFFu);
  EXPECT_EQ(gdi::GetPixel(mono.dc(), 1, 0), 0u);
}

// The whole-rectangle read is what GetPixel gives, pixel by pixel: a rectangle reaching
// past every edge, on a colour and a one-bit surface.
TEST(Colours, ReadPixelsGivesWhatGetPixelGives) {
  for (const bool mono : {false, true}) {
    MemDC m(37, 23, mono);
    FillPattern(m.dc(), m.w(), m.h(), 5, {0x00000000, 0x00FFFFFF, 0x00A1B2C3, 0x0000FF00});
    const int32_t x = -3, y = -2, w = m.w() + 7, h = m.h() + 5;
    Pixels read(static_cast<size_t>(w) * h);
    gdi::ReadPixels(m.dc(), x, y, w, h, read.data());
    for (int32_t row = 0; row < h; ++row)
      for (int32_t col = 0; col < w; ++col)
        ASSERT_EQ(read[static_cast<size_t>(row) * w + col], gdi::GetPixel(m.dc(), x + col, y + row))
            << (mono ? "one-bit " : "colour ") << x + col << "," << y + row;
  }
}

TEST(ExternalDC, BlitsLandInTheBufferInScreenOrderAndReportTheClippedRectangle) {
  FakeWindow window(6, 4, 0xDEADBEEF, 9);  // rows of 9 pixels, as a padded window surface has
  const gdi::Handle dc = window.dc;
  ASSERT_NE(dc, 0u);
  MemDC red(10, 10, false);
  FillSolid(red.dc(), 10, 10, 0x000000FF);  // red, as a ColorRef
  window.changes.clear();
  ASSERT_TRUE(gdi::BitBlt(dc, 4, -1, 5, 3, red.dc(), 0, 0, gdi::SRCCOPY));
  ASSERT_EQ(window.changes, (std::vector<std::vector<int32_t>>{{4, 0, 2, 2}}));
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 9; ++x) {
      const bool hit = x >= 4 && x < 6 && y < 2;
      // Stored as xRGB: red in bits 16-23. The padding beyond the width is never touched.
      ASSERT_EQ(window.pixels[y * 9 + x], hit ? 0x00FF0000u : 0xDEADBEEFu) << x << "," << y;
    }
  EXPECT_EQ(gdi::GetPixel(dc, 4, 0), 0x000000FFu);
  // Nothing inside: no notification.
  gdi::BitBlt(dc, 6, 0, 3, 3, red.dc(), 0, 0, gdi::SRCCOPY);
  EXPECT_EQ(window.changes.size(), 1u);
  detail::DeleteExternalDC(dc);
  EXPECT_EQ(gdi::GetPixel(dc, 0, 0), 0xFFFFFFFFu);
}

TEST(WindowDCs, TheScreenDcStaysAndAResolverGivesWindowDcsThatReleaseDeletes) {
  EXPECT_EQ(gdi::GetDC(0x0ABCDEF1), 0u);
  const gdi::Handle screen = gdi::GetDC(0);
  ASSERT_NE(screen, 0u);
#ifndef _WIN32  // user32 hands out a DC from its cache per GetDC; ReleaseDC gives it back
  EXPECT_EQ(screen, gdi::GetDC(gdi::GetDesktopWindow()));
  EXPECT_FALSE(gdi::DeleteDC(screen));  // not a memory DC
#endif
  EXPECT_EQ(gdi::SelectObject(screen, ScreenBitmap(1, 1)), 0u);
  // A window the resolver knows has a DC of its own.
  FakeWindow window(6, 4);
  detail::SetWindowDCResolver([&](gdi::Handle w) -> gdi::Handle {
    return w == 77 ? detail::CreateExternalDC(window.surface) : 0;
  });
  const gdi::Handle dc = gdi::GetDC(77);
  ASSERT_NE(dc, 0u);
  EXPECT_TRUE(gdi::BitBlt(dc, 0, 0, 2, 2, 0, 0, 0, gdi::WHITENESS));
  EXPECT_EQ(window.pixels[0], 0x00FFFFFFu);
  EXPECT_NE(gdi::GetDC(gdi::GetDesktopWindow()), 0u);  // the resolver declined: the screen
  EXPECT_EQ(gdi::ReleaseDC(77, dc), 1);
  EXPECT_EQ(gdi::GetPixel(dc, 0, 0), 0xFFFFFFFFu);
  detail::SetWindowDCResolver(nullptr);
  EXPECT_EQ(gdi::GetDC(77), 0u);
}

}  // namespace
