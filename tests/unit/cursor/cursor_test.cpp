// Our .cur and .ico reader: directory, hot spot, colour depths, AND mask and alpha, bad
// files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/error.h"
#include "sdl/cursor_file.h"

namespace {

using platform::detail::DecodeCursor;

struct Bytes {
  std::vector<uint8_t> b;
  void U8(uint32_t v) { b.push_back(static_cast<uint8_t>(v)); }
  void U16(uint32_t v) { U8(v & 0xFF), U8(v >> 8); }
  void U32(uint32_t v) { U16(v & 0xFFFF), U16(v >> 16); }
};

// A one-image cursor. `colour_rows` and `mask_rows` are top row first; they are stored
// bottom-up as the format wants.
std::vector<uint8_t> Cursor(int w, int h, int bits, int hx, int hy,
                            const std::vector<uint32_t>& palette,
                            const std::vector<std::vector<uint8_t>>& colour_rows,
                            const std::vector<std::vector<uint8_t>>& mask_rows, uint16_t type = 2) {
  Bytes image;
  image.U32(40), image.U32(static_cast<uint32_t>(w)), image.U32(static_cast<uint32_t>(2 * h)),
      image.U16(1), image.U16(static_cast<uint32_t>(bits));
  image.U32(0), image.U32(0), image.U32(0), image.U32(0),
      image.U32(static_cast<uint32_t>(palette.size())), image.U32(0);
  for (uint32_t c : palette) image.U32(c);
  for (auto it = colour_rows.rbegin(); it != colour_rows.rend(); ++it)
    image.b.insert(image.b.end(), it->begin(), it->end());
  for (auto it = mask_rows.rbegin(); it != mask_rows.rend(); ++it)
    image.b.insert(image.b.end(), it->begin(), it->end());
  Bytes file;
  file.U16(0), file.U16(type), file.U16(1);
  file.U8(static_cast<uint32_t>(w)), file.U8(static_cast<uint32_t>(h)), file.U8(0), file.U8(0);
  file.U16(static_cast<uint32_t>(hx)), file.U16(static_cast<uint32_t>(hy));
  file.U32(static_cast<uint32_t>(image.b.size())), file.U32(22);
  file.b.insert(file.b.end(), image.b.begin(), image.b.end());
  return file.b;
}

TEST(CursorFile, EveryDepthWithItsMaskAndTheHotSpot) {
  // 8 x 2 at 4 bits: palette 0 black, 1 red, 2 blue. Row 0: red, red, black..., row 1:
  // blue... Rows pad to 4 bytes; the mask's set bits over black are transparent.
  std::vector<std::vector<uint8_t>> colour = {{0x11, 0x00, 0x00, 0x00}, {0x22, 0x22, 0x22, 0x22}};
  std::vector<std::vector<uint8_t>> mask = {{0x3F, 0, 0, 0}, {0x00, 0, 0, 0}};
  auto image = DecodeCursor(Cursor(8, 2, 4, 3, 1, {0x000000, 0xFF0000, 0x0000FF}, colour, mask));
  EXPECT_EQ(image.width, 8);
  EXPECT_EQ(image.height, 2);
  EXPECT_EQ(image.hot_x, 3);
  EXPECT_EQ(image.hot_y, 1);
  EXPECT_EQ(image.argb[0], 0xFFFF0000u);  // red, mask 0: opaque
  EXPECT_EQ(image.argb[1], 0xFFFF0000u);
  EXPECT_EQ(image.argb[2], 0u);  // black under a set mask bit: transparent
  EXPECT_EQ(image.argb[7], 0u);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(image.argb[8 + static_cast<size_t>(x)], 0xFF0000FFu);

  auto mono = DecodeCursor(
      Cursor(8, 1, 1, 0, 0, {0x000000, 0xFFFFFF}, {{0xF0, 0, 0, 0}}, {{0x0F, 0, 0, 0}}));
  EXPECT_EQ(mono.argb[0], 0xFFFFFFFFu);
  EXPECT_EQ(mono.argb[4], 0u);
  auto rgb = DecodeCursor(Cursor(1, 1, 24, 0, 0, {}, {{0x10, 0x20, 0x30, 0}}, {{0x00, 0, 0, 0}}));
  EXPECT_EQ(rgb.argb[0], 0xFF302010u);
  // At 32 bits the alpha wins over the mask.
  auto alpha =
      DecodeCursor(Cursor(2, 1, 32, 1, 0, {}, {{1, 2, 3, 0x80, 4, 5, 6, 0x00}}, {{0xC0, 0, 0, 0}}));
  EXPECT_EQ(alpha.argb[0], 0x80030201u);
  EXPECT_EQ(alpha.argb[1], 0x00060504u);
}

TEST(CursorFile, BadFilesAreErrorsForTheCaller) {
  const auto good = Cursor(8, 1, 1, 0, 0, {0, 0xFFFFFF}, {{0xF0, 0, 0, 0}}, {{0x0F, 0, 0, 0}});
  auto expect_bad = [](const std::vector<uint8_t>& bytes, const char* why) {
    try {
      DecodeCursor(bytes);
      ADD_FAILURE() << why << ": accepted";
    } catch (const mt::Error& e) {
      EXPECT_EQ(e.kind(), mt::ErrorKind::BadFile) << why;
    }
  };
  expect_bad({}, "empty");
  expect_bad(std::vector<uint8_t>(good.begin(), good.end() - 3), "truncated");
  expect_bad(Cursor(8, 1, 1, 0, 0, {0, 0xFFFFFF}, {{0xF0, 0, 0, 0}}, {{0x0F, 0, 0, 0}}, 1),
             "an icon");
  auto png = good;
  const uint8_t signature[] = {0x89, 'P', 'N', 'G'};
  std::copy(std::begin(signature), std::end(signature), png.begin() + 22);
  expect_bad(png, "PNG image");
  EXPECT_THROW(platform::detail::ReadCursorFile("/nonexistent/scope.cur"), mt::Error);
}

TEST(CursorFile, AnIconIsReadAsACursorWithoutAHotSpotButACursorIsNoIcon) {
  // In an icon's directory the hot-spot fields hold planes and bit count.
  const auto icon = Cursor(8, 1, 4, 1, 4, {0, 0xFF0000}, {{0x11, 0, 0, 0}}, {{0, 0, 0, 0}}, 1);
  const auto image = platform::detail::DecodeIcon(icon);
  EXPECT_EQ(image.hot_x, 0);
  EXPECT_EQ(image.hot_y, 0);
  EXPECT_EQ(image.argb[0], 0xFFFF0000u);
  EXPECT_THROW(platform::detail::DecodeIcon(
                   Cursor(8, 1, 4, 1, 0, {0, 0xFF0000}, {{0x11, 0, 0, 0}}, {{0, 0, 0, 0}})),
               mt::Error);
}

TEST(CursorFile, ShippedIconsAndCursorsDecodeAndEachSightsHotSpotIsItsCentre) {
  for (const std::string name :
       {"settingsIcon.ico", "previewIcon.ico", "referralIcon.ico", "saverDesign.cur",
        "scopeShot.cur", "scopeFlame.cur", "scopeRifle.cur"}) {
    SCOPED_TRACE(name);
    const std::string path = MT_DIST_ASSETS + name;
    const bool cursor = name.ends_with(".cur");
    auto image =
        cursor ? platform::detail::ReadCursorFile(path) : platform::detail::ReadIconFile(path);
    EXPECT_EQ(image.width, 32);
    EXPECT_EQ(image.height, 32);
    size_t opaque = 0;
    for (uint32_t p : image.argb) opaque += (p >> 24) != 0;
    if (!cursor) {
      EXPECT_GT(opaque, 500u);
      continue;
    }
    EXPECT_EQ(image.hot_x, 16);
    EXPECT_EQ(image.hot_y, 16);
    EXPECT_GT(opaque, 20u) << "nothing to see";
    EXPECT_LT(opaque, 32u * 32u / 2) << "a sight must let the scene show through";
    EXPECT_NE(image.argb[16 * 32 + 16] >> 24, 0u) << "the hot spot should be marked";
  }
}

}  // namespace
