// The shipped assets (the build lists each by name): in a format the program's loaders and
// the platforms accept, at the sizes the scene and the windows are laid out for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "gdi_test_util.h"
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
  mt::test::WithBitmap(
      bitmap, [&](gdi::Handle dc) { gdi::ReadPixels(dc, 0, 0, bmp.width, bmp.height, px.data()); });
  gdi::DeleteObject(bitmap);
  for (gdi::ColorRef c : px)
    bmp.pixels.push_back({int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF)});
  return bmp;
}

constexpr Rgb kKey{0, 255, 0};
// An opaque pixel beside a transparent one may have green above red and blue by at most
// this much; more shows as a green fringe once the key colour is cut away.
constexpr int kFringeMargin = 24;

bool TouchesKey(const Bitmap& bmp, int x, int y) {
  for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, bmp.height - 1); ++ny)
    for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, bmp.width - 1); ++nx)
      if (bmp.at(nx, ny) == kKey) return true;
  return false;
}

TEST(AssetFiles, SpriteSheetsAreKeyedCleanlyWithAPictureInsideEachCell) {
  const std::pair<std::string, int> sheets[] = {
      // the file and its cells across
      {"turkeyLeft.bmp", 5}, {"turkeyRight.bmp", 5}, {"bomb.bmp", 6}, {"tree.bmp", 1},
      {"treeSmall.bmp", 1},  {"grassPatch.bmp", 1},  {"logo.bmp", 1}, {"grassPatchRight.bmp", 1}};
  for (const auto& [name, cells] : sheets) {
    SCOPED_TRACE(name);
    const Bitmap bmp = LoadBmp(name);
    if (bmp.pixels.empty() || bmp.width % cells != 0) {
      ADD_FAILURE() << "width " << bmp.width << " is not " << cells << " cells";
      continue;
    }
    const int cw = bmp.width / cells;
    std::vector<int> opaque(cells), on_rim(cells);
    int near_key = 0, fringe = 0, transparent = 0;
    for (int y = 0; y < bmp.height; ++y) {
      for (int x = 0; x < bmp.width; ++x) {
        const Rgb p = bmp.at(x, y);
        if (p == kKey) {
          ++transparent;
          continue;
        }
        ++opaque[x / cw];
        if (x % cw == 0 || y == 0 || x % cw == cw - 1 || y == bmp.height - 1) ++on_rim[x / cw];
        // A pixel almost the key colour is opaque in the program but looks like a hole.
        if (p.r < 24 && p.g > 230 && p.b < 24) ++near_key;
        if (p.g - std::max(p.r, p.b) > kFringeMargin && TouchesKey(bmp, x, y)) ++fringe;
      }
    }
    EXPECT_EQ(near_key, 0);
    EXPECT_EQ(fringe, 0) << "greenish pixels at the key's edge";
    EXPECT_GT(transparent, bmp.width * bmp.height / 10) << "almost no transparent area";
    for (int c = 0; c < cells; ++c) {
      EXPECT_GT(opaque[c], cw * bmp.height / 20) << "cell " << c + 1 << " is (nearly) empty";
      // A picture running into its cell's edge is cut off, or spills into the neighbour.
      EXPECT_EQ(on_rim[c], 0) << "cell " << c + 1 << " touches its cell's edge";
    }
  }
}

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

TEST(AssetFiles, SoundsPassTheProgramsCheckAreUnclippedAndTheRightLength) {
  const std::tuple<std::string, double, double> sounds[] = {
      // shortest, longest in seconds
      {"shotgun.wav", 0.1, 0.999}, {"flame.wav", 0.1, 0.999}, {"rifle.wav", 0.1, 0.999},
      {"sound1.wav", 2, 6},        {"sound2.wav", 2, 6},      {"sound3.wav", 2, 6},
      {"sound4.wav", 2, 6},        {"sound5.wav", 2, 6},      {"sound6.wav", 2, 6}};
  for (const auto& [name, min_seconds, max_seconds] : sounds) {
    SCOPED_TRACE(name);
    const std::string b = mt::test::ReadFileBytes(Path(name));
    EXPECT_TRUE(platform::detail::IsPcmWave(std::vector<uint8_t>(b.begin(), b.end())));
    // One format chunk and then the data: mono, 16 bits, at a rate every device plays.
    if (b.size() < 44 || b.compare(36, 4, "data") != 0) {
      ADD_FAILURE() << "no data chunk at byte 36";
      continue;
    }
    EXPECT_EQ(U16(b, 22), 1u);
    EXPECT_EQ(U16(b, 34), 16u);
    const uint32_t rate = U32(b, 24), samples = U32(b, 40) / 2;
    EXPECT_TRUE(rate == 22050 || rate == 44100) << rate;
    EXPECT_GE(samples, min_seconds * rate);
    EXPECT_LE(samples, max_seconds * rate);
    int peak = 0;
    for (uint32_t i = 0; i < samples && 44 + 2 * i + 1 < b.size(); ++i)
      peak = std::max(peak, std::abs(static_cast<int>(static_cast<int16_t>(U16(b, 44 + 2 * i)))));
    EXPECT_LT(peak, 32767 * 95 / 100) << "too close to clipping";
    EXPECT_GT(peak, 32767 / 8) << "barely audible";
  }
}

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
