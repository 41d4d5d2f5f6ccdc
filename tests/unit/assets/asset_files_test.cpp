// The shipped assets (the build lists each by name): in a format the program's loaders and
// the platforms accept, at the sizes the scene and the windows are laid out for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/gdi.h"
#include "referral/FrmEmailLayout.h"
#include "saver/windows/layouts/layouts.h"
#include "sdl/wave_check.h"
#include "temp_folder.h"

namespace {

namespace gdi = platform::gdi;

const std::string kDir = MT_ASSET_DIR;

std::string Path(const std::string& name) {
  return kDir + "/" + name;
}

uint32_t U16(const std::string& b, size_t at) {
  return static_cast<uint8_t>(b[at]) | static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8;
}
uint32_t U32(const std::string& b, size_t at) {
  return U16(b, at) | U16(b, at + 2) << 16;
}

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};
struct Bitmap {
  int width = 0, height = 0;
  std::vector<Rgb> pixels;  // top row first
  const Rgb& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A shipped picture as the program loads it. It must be 24-bit and uncompressed: the
// format every platform's loader reads.
Bitmap LoadBmp(const std::string& name) {
  const std::string bytes = mt::test::ReadFileBytes(Path(name));
  EXPECT_TRUE(bytes.size() > 34 && U16(bytes, 28) == 24 && U32(bytes, 30) == 0)
      << name << " must be 24-bit and uncompressed (BI_RGB)";
  Bitmap bmp;
  const gdi::Handle bitmap = gdi::LoadBitmapFile(Path(name));
  EXPECT_NE(bitmap, 0u) << name << " does not load";
  gdi::BitmapInfo info;
  if (!bitmap || !gdi::GetObject(bitmap, &info)) return bmp;
  bmp.width = info.bmWidth;
  bmp.height = info.bmHeight;
  std::vector<gdi::ColorRef> px(static_cast<size_t>(bmp.width) * bmp.height);
  const gdi::Handle dc = gdi::CreateCompatibleDC(0);
  const gdi::Handle before = gdi::SelectObject(dc, bitmap);
  gdi::ReadPixels(dc, 0, 0, bmp.width, bmp.height, px.data());
  gdi::SelectObject(dc, before);
  gdi::DeleteDC(dc);
  gdi::DeleteObject(bitmap);
  for (gdi::ColorRef c : px)
    bmp.pixels.push_back({int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF)});
  return bmp;
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
    const std::string icon = mt::test::ReadFileBytes(Path(form->icon));
    ASSERT_GT(icon.size(), 22u) << form->icon;
    EXPECT_EQ(U16(icon, 2), 1u) << form->icon << " is not an icon file";
    EXPECT_EQ(U16(icon, 4), 1u) << form->icon;
    const uint32_t bits = form == &mt::windows::frmSettingsLayout() ? 8 : 4;
    EXPECT_EQ(U16(icon, 12), bits) << form->icon << ": directory bit count";
    const uint32_t image = U32(icon, 18);
    ASSERT_LT(image + 16, icon.size()) << form->icon;
    EXPECT_EQ(U16(icon, image + 14), bits) << form->icon;
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

TEST_P(SoundFile, PassesTheProgramsCheckIsUnclippedAndTheRightLength) {
  const SoundCase& c = GetParam();
  const std::string b = mt::test::ReadFileBytes(Path(c.name));
  ASSERT_TRUE(platform::detail::IsPcmWave(std::vector<uint8_t>(b.begin(), b.end())));
  // One format chunk and then the data: mono, 16 bits, at a rate every device plays.
  ASSERT_EQ(b.compare(36, 4, "data"), 0);
  EXPECT_EQ(U16(b, 22), 1u);
  EXPECT_EQ(U16(b, 34), 16u);
  const uint32_t rate = U32(b, 24), samples = U32(b, 40) / 2;
  EXPECT_TRUE(rate == 22050 || rate == 44100) << rate;
  EXPECT_GE(samples, c.min_seconds * rate);
  EXPECT_LE(samples, c.max_seconds * rate);
  int peak = 0;
  for (uint32_t i = 0; i < samples; ++i)
    peak = std::max(peak, std::abs(static_cast<int>(static_cast<int16_t>(U16(b, 44 + 2 * i)))));
  EXPECT_LT(peak, 32767 * 95 / 100) << "too close to clipping";
  EXPECT_GT(peak, 32767 / 8) << "barely audible";
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
