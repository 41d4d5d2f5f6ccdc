// BitBlt of the software GDI against a per-pixel model: every raster operation in every
// pair of formats, both conversion rules with non-default colours, and clipping at every
// edge; and the transparent drawing's combined call against its two transfers.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>

#include "gdi_test_util.h"

namespace {
using namespace mt::test;
using gdi::ColorRef;

constexpr ColorRef kWhite = 0x00FFFFFF;

struct Colours {
  ColorRef dst_text, dst_bk, src_text, src_bk;
};

// What one pixel becomes: the source converted into the destination's format, then
// combined bitwise. ColorRef order and the stored order differ only by a byte swap, which
// bitwise operations do not see.
ColorRef Model(bool dst_mono, bool src_mono, uint32_t rop, ColorRef d, ColorRef s,
               const Colours& c) {
  ColorRef sv = s;
  if (src_mono && !dst_mono) sv = s == kWhite ? c.dst_bk : c.dst_text;
  if (!src_mono && dst_mono) sv = s == c.src_bk ? kWhite : 0;
  switch (rop) {
    case gdi::SRCCOPY:
      return sv;
    case gdi::SRCPAINT:
      return d | sv;
    case gdi::SRCAND:
      return d & sv;
    default:
      return d ^ sv;
  }
}

const std::vector<ColorRef> kPalette = {0x00000000, 0x00FFFFFF, 0x00336699, 0x0000FF00,
                                        0x00123456, 0x00F0E0D0, 0x000000FF, 0x00808080};

void FillAny(const MemDC& m, uint32_t seed, bool mono) {
  FillPattern(m.dc(), m.w(), m.h(), seed, mono ? std::vector<ColorRef>{0, kWhite} : kPalette);
}

// After a blit of w x h from (sx, sy) of `source` (sw x sh) to (x, y): every destination
// pixel inside both surfaces is `combine(before, source pixel)`, every other is unchanged.
template <typename Combine>
void ExpectBlitted(const MemDC& dst, const Pixels& before, const Pixels& source, int32_t sw,
                   int32_t sh, int64_t x, int64_t y, int64_t w, int64_t h, int64_t sx, int64_t sy,
                   Combine combine) {
  ExpectOnlyRectChanged(dst, before, x, y, w, h, [&](int32_t dx, int32_t dy, ColorRef was) {
    const int64_t spx = sx + dx, spy = sy + dy;
    const bool in_source = spx >= 0 && spx < sw && spy >= 0 && spy < sh;
    return in_source ? combine(was, source[static_cast<size_t>(spy) * sw + spx]) : was;
  });
}

struct Rect {
  const char* name;
  int32_t x, y, w, h, sx, sy;
};

// Onto a 37 x 21 destination from a 41 x 19 source: inside (odd sizes, so that the
// vectorised middles and the scalar tails both run) and across each edge of both.
const Rect kRects[] = {
    {"Inside", 3, 2, 33, 15, 5, 1},
    {"DestLeft", -5, 2, 12, 8, 0, 0},
    {"DestTop", 2, -4, 12, 8, 0, 0},
    {"DestRight", 31, 2, 12, 8, 0, 0},
    {"DestBottom", 2, 17, 12, 8, 0, 0},
    {"SourceLeft", 4, 3, 12, 8, -3, 0},
    {"SourceTop", 4, 3, 12, 8, 0, -6},
    {"SourceRight", 4, 3, 12, 8, 36, 1},
    {"SourceBottom", 4, 3, 12, 8, 1, 15},
    {"AllCorners", -3, -2, 50, 30, -4, -1},
    {"WhollyOutside", 40, 3, 5, 5, 0, 0},
    {"SourceMissed", 1, 1, 5, 5, 50, 0},
    {"ExtremeCoords", INT_MIN, INT_MAX, INT_MAX, 8, INT_MAX, 0},
    {"HugeSize", 0, 0, INT_MAX, INT_MAX, 0, 0},
#ifndef _WIN32  // undocumented in gdi32; Wine mirrors the rectangle to the left of x, x included
    {"NegativeSize", 0, 0, -5, 5, 0, 0},
#endif
};

// Destination one-bit, source one-bit.
class Blits : public ::testing::TestWithParam<std::tuple<bool, bool>> {};

TEST_P(Blits, EveryPixelFollowsTheModelAndOnlyTheClippedRectangleChanges) {
  const auto [dst_mono, src_mono] = GetParam();
  for (const uint32_t rop :
       {gdi::SRCCOPY, gdi::SRCPAINT, gdi::SRCAND, gdi::SRCINVERT, gdi::WHITENESS}) {
    for (const Rect& r : kRects) {
      SCOPED_TRACE(::testing::Message() << "rop " << std::hex << rop << " " << r.name);
      MemDC dst(37, 21, dst_mono), src(41, 19, src_mono);
      FillAny(dst, 1, dst_mono);
      FillAny(src, 2, src_mono);
      // Colours other than the defaults, each on the DC whose colour the rules name; the
      // other DC's colours are set too, so using the wrong DC's colour shows.
      const Colours c{0x00123456, 0x0000FF00, 0x00F0E0D0, 0x00336699};
      gdi::SetTextColor(dst.dc(), c.dst_text);
      gdi::SetBkColor(dst.dc(), c.dst_bk);
      gdi::SetTextColor(src.dc(), c.src_text);
      gdi::SetBkColor(src.dc(), c.src_bk);
      const Pixels before = Snapshot(dst), source = Snapshot(src);

      // WHITENESS reads no source, and the program gives it none.
      const bool white = rop == gdi::WHITENESS;
      EXPECT_TRUE(gdi::BitBlt(dst.dc(), r.x, r.y, r.w, r.h, white ? 0 : src.dc(), r.sx, r.sy, rop));
      if (white) {
        ExpectOnlyRectChanged(dst, before, r.x, r.y, r.w, r.h,
                              [](int32_t, int32_t, ColorRef) { return kWhite; });
      } else {
        ExpectBlitted(
            dst, before, source, src.w(), src.h(), r.x, r.y, r.w, r.h, r.sx, r.sy,
            [&](ColorRef d, ColorRef s) { return Model(dst_mono, src_mono, rop, d, s, c); });
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllPairs, Blits, ::testing::Combine(::testing::Bool(), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<bool, bool>>& info) {
                           return std::string(std::get<0>(info.param) ? "Mono" : "Colour") +
                                  "From" + (std::get<1>(info.param) ? "Mono" : "Colour");
                         });

TEST(SameSurface, OverlappingCopyReadsTheOriginalPixels) {
  for (bool mono : {false, true}) {
    MemDC m(30, 20, mono);
    FillAny(m, 5, mono);
    const Pixels before = Snapshot(m);
    // Down and to the right: a naive forward row copy would smear its own output.
    ASSERT_TRUE(gdi::BitBlt(m.dc(), 5, 3, 20, 15, m.dc(), 0, 0, gdi::SRCCOPY));
    ExpectBlitted(m, before, before, 30, 20, 5, 3, 20, 15, 0, 0,
                  [](ColorRef, ColorRef s) { return s; });
  }
}

// The combined call against its two transfers made one after the other, on twin
// destinations: inside, across every edge, with a mask and a picture (smaller than the
// rectangles' source) that clip alike and apart, and with the destination's conversion
// colours changed.
TEST(MaskThenPicture, GivesWhatTheTwoTransfersGive) {
  MemDC mask(29, 13, true), picture(29, 13, false), short_picture(29, 9, false);
  FillAny(mask, 1, true);
  FillAny(picture, 2, false);
  FillAny(short_picture, 3, false);
  for (const bool short_one : {false, true}) {
    const MemDC& pic = short_one ? short_picture : picture;
    for (const ColorRef text : {ColorRef{0}, ColorRef{0x00336699}}) {
      for (const Rect& c : kRects) {
        SCOPED_TRACE(::testing::Message() << short_one << " " << text << " " << c.name);
        MemDC one(37, 21, false), two(37, 21, false);
        FillAny(one, 4, false);
        FillAny(two, 4, false);
        for (const MemDC* d : {&one, &two}) {
          gdi::SetTextColor(d->dc(), text);
          gdi::SetBkColor(d->dc(), text ? 0x00F0E0D0 : kWhite);
        }
        EXPECT_TRUE(gdi::BitBltMaskThenPicture(one.dc(), c.x, c.y, c.w, c.h, mask.dc(), pic.dc(),
                                               c.sx, c.sy));
        gdi::BitBlt(two.dc(), c.x, c.y, c.w, c.h, mask.dc(), c.sx, c.sy, gdi::SRCPAINT);
        gdi::BitBlt(two.dc(), c.x, c.y, c.w, c.h, pic.dc(), c.sx, c.sy, gdi::SRCAND);
        ASSERT_EQ(Snapshot(one), Snapshot(two));
      }
    }
  }
  EXPECT_FALSE(gdi::BitBltMaskThenPicture(mask.dc(), 0, 0, 4, 4, 0, picture.dc(), 0, 0));
}

TEST(BitBltArguments, BadHandlesAndUnknownOperationsDrawNothing) {
  MemDC dst(4, 4, false), src(4, 4, false);
  FillSolid(dst.dc(), 4, 4, 0x00010203);
  FillSolid(src.dc(), 4, 4, 0x00FFFFFF);
  EXPECT_FALSE(gdi::BitBlt(dst.dc(), 0, 0, 4, 4, 0, 0, 0, gdi::SRCCOPY));
  EXPECT_FALSE(gdi::BitBlt(0, 0, 0, 4, 4, src.dc(), 0, 0, gdi::SRCCOPY));
#ifndef _WIN32  // gdi32 knows all 256 raster operations; this one is MERGEPAINT
  EXPECT_FALSE(gdi::BitBlt(dst.dc(), 0, 0, 4, 4, src.dc(), 0, 0, 0x00BB0226));
#endif
  EXPECT_EQ(Snapshot(dst), Pixels(16, 0x00010203));
}

}  // namespace
