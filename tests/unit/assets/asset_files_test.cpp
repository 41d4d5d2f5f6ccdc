// The shipped assets (the build lists each by name): in a format the program's loaders and
// the platforms accept, at the sizes the scene and the windows are laid out for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "asset_readers.h"
#include "referral/FrmEmailLayout.h"
#include "saver/windows/layouts/layouts.h"
#include "temp_folder.h"

namespace {

using assets_test::Bitmap;
using assets_test::Rgb;

const std::string kDir = MT_ASSET_DIR;

std::string Path(const std::string& name) {
  return kDir + "/" + name;
}

Bitmap LoadBmp(const std::string& name) {
  const auto bmp = assets_test::ReadBmp(mt::test::ReadFileBytes(Path(name)));
  EXPECT_TRUE(bmp.has_value()) << name << " is not a readable BMP";
  if (!bmp) return Bitmap{};
  EXPECT_EQ(bmp->bits, 24) << name;
  EXPECT_EQ(bmp->compression, 0) << name << " must be uncompressed (BI_RGB)";
  return *bmp;
}

constexpr Rgb kKey{0, 255, 0};
// An opaque pixel beside a transparent one may have green above red and blue by at most
// this much; more shows as a green fringe once the key colour is cut away.
constexpr int kFringeMargin = 24;

const std::vector<std::string> kSprites = {
    "turkeyLeft.bmp", "turkeyRight.bmp",     "bomb.bmp", "tree.bmp", "treeSmall.bmp",
    "grassPatch.bmp", "grassPatchRight.bmp", "logo.bmp"};
const std::map<std::string, int> kCellsAcross = {
    {"turkeyLeft.bmp", 5}, {"turkeyRight.bmp", 5}, {"bomb.bmp", 6}};

// ---- sprite sheets ----

class SpriteSheet : public testing::TestWithParam<std::string> {};

TEST_P(SpriteSheet, KeyColourOnlyWhereTransparentAndNoGreenFringe) {
  const Bitmap bmp = LoadBmp(GetParam());
  ASSERT_FALSE(bmp.pixels.empty());
  int near_key = 0, fringe = 0, transparent = 0;
  for (int y = 0; y < bmp.height; ++y) {
    for (int x = 0; x < bmp.width; ++x) {
      const Rgb p = bmp.at(x, y);
      if (p == kKey) {
        ++transparent;
        continue;
      }
      // A pixel almost the key colour is opaque in the program but looks like a hole.
      if (p.r < 24 && p.g > 230 && p.b < 24) ++near_key;
      bool touches_key = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const int nx = x + dx, ny = y + dy;
          if (nx >= 0 && ny >= 0 && nx < bmp.width && ny < bmp.height && bmp.at(nx, ny) == kKey)
            touches_key = true;
        }
      if (touches_key && p.g - std::max(p.r, p.b) > kFringeMargin) {
        if (fringe < 5) ADD_FAILURE() << GetParam() << ": greenish edge pixel at " << x << "," << y;
        ++fringe;
      }
    }
  }
  EXPECT_EQ(near_key, 0) << GetParam();
  EXPECT_EQ(fringe, 0) << GetParam();
  EXPECT_GT(transparent, bmp.width * bmp.height / 10)
      << GetParam() << " has almost no transparent area";
}

TEST_P(SpriteSheet, EveryCellHasAPictureThatStaysInsideTheCell) {
  const Bitmap bmp = LoadBmp(GetParam());
  ASSERT_FALSE(bmp.pixels.empty());
  const auto it = kCellsAcross.find(GetParam());
  const int cells = it == kCellsAcross.end() ? 1 : it->second;
  ASSERT_EQ(bmp.width % cells, 0) << GetParam() << " width " << bmp.width << " is not " << cells
                                  << " cells";
  const int cw = bmp.width / cells;
  for (int c = 0; c < cells; ++c) {
    int opaque = 0, on_rim = 0;
    for (int y = 0; y < bmp.height; ++y) {
      for (int x = 0; x < cw; ++x) {
        if (bmp.at(c * cw + x, y) == kKey) continue;
        ++opaque;
        if (x == 0 || y == 0 || x == cw - 1 || y == bmp.height - 1) ++on_rim;
      }
    }
    EXPECT_GT(opaque, cw * bmp.height / 20)
        << GetParam() << " cell " << c + 1 << " is (nearly) empty";
    // A picture running into its cell's edge is cut off, or spills into the neighbour.
    EXPECT_EQ(on_rim, 0) << GetParam() << " cell " << c + 1 << " touches its cell's edge";
  }
}

INSTANTIATE_TEST_SUITE_P(AssetFiles, SpriteSheet, testing::ValuesIn(kSprites),
                         [](const auto& info) {
                           return info.param.substr(0, info.param.find('.'));
                         });

TEST(AssetFiles, TurkeyAndExplosionCellsAreEqualAndTurkeySized) {
  const Bitmap left = LoadBmp("turkeyLeft.bmp"), right = LoadBmp("turkeyRight.bmp"),
               bomb = LoadBmp("bomb.bmp");
  EXPECT_EQ(left.width, right.width);
  EXPECT_EQ(left.height, right.height);
  // The hit test compares top-left corners; equal cells put a click on a turkey's middle
  // within reach.
  EXPECT_EQ(bomb.width / 6, right.width / 5);
  EXPECT_EQ(bomb.height, right.height);
  EXPECT_GE(right.width / 5, 64);
  EXPECT_LE(right.width / 5, 80);
  EXPECT_GE(right.height, 64);
  EXPECT_LE(right.height, 80);
}

TEST(AssetFiles, TurkeysFaceOppositeWays) {
  // The left sheet is the right one mirrored, cell by cell: same poses, other direction.
  const Bitmap left = LoadBmp("turkeyLeft.bmp"), right = LoadBmp("turkeyRight.bmp");
  ASSERT_EQ(left.width, right.width);
  const int cw = right.width / 5;
  int mismatched = 0, asymmetric = 0;
  for (int c = 0; c < 5; ++c)
    for (int y = 0; y < right.height; ++y)
      for (int x = 0; x < cw; ++x) {
        mismatched += !(left.at(c * cw + cw - 1 - x, y) == right.at(c * cw + x, y));
        asymmetric += !(right.at(c * cw + x, y) == right.at(c * cw + cw - 1 - x, y));
      }
  EXPECT_EQ(mismatched, 0);
  EXPECT_GT(asymmetric, right.width * right.height / 10) << "a symmetric turkey faces no way";
}

TEST(AssetFiles, WalkingPosesDifferInTheLegs) {
  // Swapping cells 1 and 2 must read as a walk: they differ, most of all in the lower part.
  const Bitmap right = LoadBmp("turkeyRight.bmp");
  const int cw = right.width / 5, h = right.height;
  int lower = 0;
  for (int y = h * 3 / 4; y < h; ++y)
    for (int x = 0; x < cw; ++x) lower += !(right.at(x, y) == right.at(cw + x, y));
  EXPECT_GT(lower, cw * h / 40);
}

TEST(AssetFiles, SceneSpritesSuitTheScreen) {
  const Bitmap tree = LoadBmp("tree.bmp"), small = LoadBmp("treeSmall.bmp"),
               logo = LoadBmp("logo.bmp");
  // A quarter to a third of a 1080-pixel screen.
  EXPECT_GE(tree.height, 270);
  EXPECT_LE(tree.height, 360);
  EXPECT_LT(small.height, tree.height);
  EXPECT_LT(small.width, tree.width);
  // The logo and the trees must leave room for the turkeys on a 1024 x 768 screen.
  EXPECT_LE(logo.width, 1024 / 3);
  EXPECT_LE(logo.height, 768 / 5);
  for (const char* name : {"grassPatch.bmp", "grassPatchRight.bmp"}) {
    const Bitmap g = LoadBmp(name);
    EXPECT_LE(g.width, 256) << name;
    EXPECT_LE(g.height, 128) << name;
  }
}

// ---- the background tile ----

TEST(AssetFiles, BackgroundTileRepeatsWithoutSeams) {
  const Bitmap bg = LoadBmp("background.bmp");
  ASSERT_GE(bg.width, 64);
  ASSERT_GE(bg.height, 64);
  auto diff = [](const Rgb& a, const Rgb& b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
  };
  // Across a seam (last column to first, last row to first) neighbours must differ no
  // more than neighbours inside the tile do.
  double inside_x = 0, seam_x = 0, inside_y = 0, seam_y = 0;
  for (int y = 0; y < bg.height; ++y) {
    for (int x = 0; x + 1 < bg.width; ++x) inside_x += diff(bg.at(x, y), bg.at(x + 1, y));
    seam_x += diff(bg.at(bg.width - 1, y), bg.at(0, y));
  }
  for (int x = 0; x < bg.width; ++x) {
    for (int y = 0; y + 1 < bg.height; ++y) inside_y += diff(bg.at(x, y), bg.at(x, y + 1));
    seam_y += diff(bg.at(x, bg.height - 1), bg.at(x, 0));
  }
  inside_x /= (bg.width - 1) * bg.height;
  inside_y /= (bg.height - 1) * bg.width;
  seam_x /= bg.height;
  seam_y /= bg.width;
  EXPECT_LE(seam_x, inside_x * 1.5 + 1);
  EXPECT_LE(seam_y, inside_y * 1.5 + 1);
  // Calm: no harsh contrast for the turkeys to get lost in.
  int lo = 255 * 3, hi = 0;
  for (const Rgb& p : bg.pixels) {
    lo = std::min(lo, p.r + p.g + p.b);
    hi = std::max(hi, p.r + p.g + p.b);
  }
  EXPECT_LT(hi - lo, 3 * 110);
}

// ---- window pictures and icons ----

TEST(AssetFiles, WindowPicturesHaveTheirControlsSizesAndIconsTheirDepth) {
  using mt::layout::kUnitsPerPixelAt96Dpi;
  for (const mt::layout::FormLayout* form :
       {&mt::windows::frmSettingsLayout(), &mt::windows::frmPreviewLayout(),
        &mt::referral::FrmEmailLayout()}) {
    for (const mt::layout::Control& c : form->controls) {
      if (c.picture.empty()) continue;
      const Bitmap bmp = LoadBmp(c.picture);
      EXPECT_EQ(bmp.width, c.width / kUnitsPerPixelAt96Dpi) << c.picture;
      EXPECT_EQ(bmp.height, c.height / kUnitsPerPixelAt96Dpi) << c.picture;
    }
    // The window icon, one image: the settings dialog's has 256 colours, the others' 16.
    // (Its size and mask are checked where the program reads it.)
    const auto icon = assets_test::ReadIcon(mt::test::ReadFileBytes(Path(form->icon)));
    ASSERT_TRUE(icon.has_value()) << form->icon;
    EXPECT_EQ(icon->type, 1) << form->icon << " is not an icon file";
    EXPECT_EQ(icon->count, 1) << form->icon;
    const int bits = form == &mt::windows::frmSettingsLayout() ? 8 : 4;
    EXPECT_EQ(icon->bits, bits) << form->icon;
    EXPECT_EQ(icon->field2, bits) << form->icon << ": directory bit count";
  }
}

TEST(AssetFiles, WeaponPicturesSitOnTheDialogsWhite) {
  for (const char* name :
       {"weaponShotgun.bmp", "weaponFlame.bmp", "weaponRifle.bmp", "settingsPicture.bmp"}) {
    const Bitmap bmp = LoadBmp(name);
    ASSERT_FALSE(bmp.pixels.empty()) << name;
    const Rgb white{255, 255, 255};
    EXPECT_EQ(bmp.at(0, 0), white) << name;
    EXPECT_EQ(bmp.at(bmp.width - 1, bmp.height - 1), white) << name;
    const long drawn = std::count_if(bmp.pixels.begin(), bmp.pixels.end(),
                                     [&](const Rgb& p) { return !(p == white); });
    EXPECT_GT(drawn, static_cast<long>(bmp.pixels.size()) / 8) << name << " is nearly blank";
  }
}

// ---- cursors ----

TEST(AssetFiles, EachSightHasItsOwnShape) {
  const std::vector<std::string> names = {"scopeShot.cur", "scopeFlame.cur", "scopeRifle.cur",
                                          "saverDesign.cur"};
  std::vector<std::vector<bool>> masks;
  for (const auto& n : names) {
    // Geometry, hot spot and mask are checked where the program reads the cursors; here
    // the file's own directory and depth.
    const auto cur = assets_test::ReadIcon(mt::test::ReadFileBytes(Path(n)));
    ASSERT_TRUE(cur.has_value()) << n;
    EXPECT_EQ(cur->type, 2) << n << " is not a cursor file";
    EXPECT_EQ(cur->count, 1) << n;
    EXPECT_TRUE(cur->bits == 1 || cur->bits == 4 || cur->bits == 8) << n << ": " << cur->bits;
    masks.push_back(cur->opaque);
  }
  for (size_t a = 0; a < masks.size(); ++a)
    for (size_t b = a + 1; b < masks.size(); ++b) {
      ASSERT_EQ(masks[a].size(), masks[b].size());
      long differ = 0;
      for (size_t i = 0; i < masks[a].size(); ++i) differ += masks[a][i] != masks[b][i];
      EXPECT_GT(differ, 60) << names[a] << " and " << names[b] << " look alike";
    }
}

// ---- sounds ----

struct SoundCase {
  const char* name;
  double min_seconds, max_seconds;
};

void PrintTo(const SoundCase& c, std::ostream* os) {
  *os << c.name;
}

class SoundFile : public testing::TestWithParam<SoundCase> {};

TEST_P(SoundFile, IsQuietAtBothEndsUnclippedAndTheRightLength) {
  const SoundCase& c = GetParam();
  const auto wav = assets_test::ReadWav(mt::test::ReadFileBytes(Path(c.name)));
  ASSERT_TRUE(wav.has_value()) << c.name;
  EXPECT_EQ(wav->format, 1) << "PCM";
  EXPECT_EQ(wav->channels, 1);
  EXPECT_EQ(wav->bits, 16);
  EXPECT_TRUE(wav->rate == 22050 || wav->rate == 44100) << wav->rate;
  EXPECT_EQ(wav->block_align, 2);
  EXPECT_EQ(wav->byte_rate, static_cast<uint32_t>(wav->rate) * 2);
  EXPECT_TRUE(wav->riff_size_ok);
  const double seconds = static_cast<double>(wav->samples.size()) / wav->rate;
  EXPECT_GE(seconds, c.min_seconds);
  EXPECT_LE(seconds, c.max_seconds);

  int peak = 0;
  for (int16_t s : wav->samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  EXPECT_LT(peak, 32767 * 95 / 100) << "too close to clipping";
  EXPECT_GT(peak, 32767 / 8) << "barely audible";

  // The first and last millisecond fade from and to silence: no click.
  const size_t ms = static_cast<size_t>(wav->rate / 1000);
  ASSERT_GT(wav->samples.size(), 2 * ms);
  int head = 0, tail = 0;
  for (size_t i = 0; i < ms; ++i) {
    head = std::max(head, std::abs(static_cast<int>(wav->samples[i])));
    tail = std::max(tail, std::abs(static_cast<int>(wav->samples[wav->samples.size() - 1 - i])));
  }
  EXPECT_LT(head, 32767 / 20);
  EXPECT_LT(tail, 32767 / 20);
  EXPECT_LT(std::abs(static_cast<int>(wav->samples.front())), 32767 / 100);
  EXPECT_LT(std::abs(static_cast<int>(wav->samples.back())), 32767 / 100);
}

INSTANTIATE_TEST_SUITE_P(
    AssetFiles, SoundFile,
    testing::Values(SoundCase{"shotgun.wav", 0.1, 0.999}, SoundCase{"flame.wav", 0.1, 0.999},
                    SoundCase{"rifle.wav", 0.1, 0.999}, SoundCase{"sound1.wav", 2, 6},
                    SoundCase{"sound2.wav", 2, 6}, SoundCase{"sound3.wav", 2, 6},
                    SoundCase{"sound4.wav", 2, 6}, SoundCase{"sound5.wav", 2, 6},
                    SoundCase{"sound6.wav", 2, 6}),
    [](const auto& info) {
      const std::string n = info.param.name;
      return n.substr(0, n.find('.'));
    });

TEST(AssetFiles, WeaponSoundsAreDistinct) {
  // Loudness over time in 10 ms frames; two weapons that sound alike have nearly the same
  // envelope.
  std::vector<std::vector<double>> envelopes;
  for (const char* n : {"shotgun.wav", "flame.wav", "rifle.wav"}) {
    const auto wav = assets_test::ReadWav(mt::test::ReadFileBytes(Path(n)));
    ASSERT_TRUE(wav.has_value()) << n;
    std::vector<double> env;
    const size_t frame = static_cast<size_t>(wav->rate / 100);
    for (size_t at = 0; at + frame <= wav->samples.size(); at += frame) {
      double sum = 0;
      for (size_t i = at; i < at + frame; ++i)
        sum += static_cast<double>(wav->samples[i]) * wav->samples[i];
      env.push_back(std::sqrt(sum / frame));
    }
    envelopes.push_back(env);
  }
  for (size_t a = 0; a < 3; ++a)
    for (size_t b = a + 1; b < 3; ++b) {
      const size_t n = std::max(envelopes[a].size(), envelopes[b].size());
      double dot = 0, na = 0, nb = 0;
      for (size_t i = 0; i < n; ++i) {
        const double x = i < envelopes[a].size() ? envelopes[a][i] : 0,
                     y = i < envelopes[b].size() ? envelopes[b][i] : 0;
        dot += x * y;
        na += x * x;
        nb += y * y;
      }
      EXPECT_LT(dot / std::sqrt(na * nb), 0.9)
          << "weapon sounds " << a << " and " << b << " are alike";
    }
}

// ---- reproducibility ----

TEST(AssetFiles, GeneratorReproducesEveryShippedByte) {
  mt::test::TempFolder temp;
  const std::string out = (temp.path() / "gobblerun").string();
  const std::string command = std::string("'") + MT_ASSETGEN + "' '" + out + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::set<std::string> made, shipped;
  for (const auto& e : std::filesystem::directory_iterator(out))
    made.insert(e.path().filename().string());
  for (const auto& e : std::filesystem::directory_iterator(kDir))
    shipped.insert(e.path().filename().string());
  EXPECT_EQ(made, shipped) << "the generator and the shipped folder hold different files";
  for (const std::string& name : made) {
    if (!shipped.count(name)) continue;
    EXPECT_TRUE(mt::test::ReadFileBytes(out + "/" + name) == mt::test::ReadFileBytes(Path(name)))
        << name << " differs from what the generator makes; run `make assets`";
  }
}

}  // namespace
