// Writes every picture, cursor, icon and sound the program ships into one folder, and the
// desktop icons into another. Usage: assetgen <folder> [<icon folder>]. The output depends
// on nothing but this code: fixed seeds, no clocks, no files read.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "art.h"
#include "formats.h"
#include "sound.h"

namespace assetgen {
namespace {

Canvas TurkeySheet(bool facing_left) {
  const TurkeyPose poses[] = {TurkeyPose::kStep, TurkeyPose::kStride, TurkeyPose::kRuffled,
                              TurkeyPose::kSinged, TurkeyPose::kRoasted};
  Canvas sheet(kCell * 5, kCell);
  for (int i = 0; i < 5; ++i) {
    Canvas cell(kCell, kCell);
    Pen pen(cell, kCell / kCellDesign, Point{0, 0});
    DrawTurkey(pen, poses[i]);
    sheet.Draw(facing_left ? cell.MirroredX() : cell, i * kCell, 0);
  }
  return sheet;
}

Canvas BombSheet() {
  Canvas sheet(kCell * 6, kCell);
  for (int i = 0; i < 6; ++i) {
    Canvas cell(kCell, kCell);
    Pen pen(cell, kCell / kCellDesign, Point{0, 0});
    DrawExplosion(pen, i + 1);
    sheet.Draw(cell, i * kCell, 0);
  }
  return sheet;
}

Canvas Drawn(int w, int h, const std::function<void(Pen&)>& draw) {
  Canvas c(w, h);
  Pen pen(c, 1.0, Point{0, 0});
  draw(pen);
  return c;
}

void Run(const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir);
  auto out = [&dir](const std::string& name, const std::string& bytes) {
    WriteFile((dir / name).string(), bytes);
  };
  const Rgb edge = colours::kSpriteEdge;
  const Rgb white = RgbOf(255, 255, 255);

  out("turkeyRight.bmp", SpriteBmp(TurkeySheet(false), edge));
  out("turkeyLeft.bmp", SpriteBmp(TurkeySheet(true), edge));
  out("bomb.bmp", SpriteBmp(BombSheet(), RgbOf(64, 58, 54)));
  out("tree.bmp", SpriteBmp(Drawn(kTreeW, kTreeH, [](Pen& p) { DrawTree(p, false); }), edge));
  out("treeSmall.bmp",
      SpriteBmp(Drawn(kSmallTreeW, kSmallTreeH, [](Pen& p) { DrawTree(p, true); }), edge));
  out("grassPatch.bmp",
      SpriteBmp(Drawn(kGrassW, kGrassH, [](Pen& p) { DrawGrassPatch(p, false); }), edge));
  out("grassPatchRight.bmp",
      SpriteBmp(Drawn(kGrassW, kGrassH, [](Pen& p) { DrawGrassPatch(p, true); }), edge));
  out("logo.bmp", SpriteBmp(Logo(), edge));
  out("background.bmp", PictureBmp(BackgroundTile(), white));

  const Canvas shot = Cursor(Sight::kShotgun), flame = Cursor(Sight::kFlame),
               rifle = Cursor(Sight::kRifle), design = Cursor(Sight::kDesign);
  out("scopeShot.cur", CursorFile({&shot, 4}, 16, 16));
  out("scopeFlame.cur", CursorFile({&flame, 4}, 16, 16));
  out("scopeRifle.cur", CursorFile({&rifle, 4}, 16, 16));
  out("saverDesign.cur", CursorFile({&design, 4}, 16, 16));

  out("settingsPicture.bmp", PictureBmp(SettingsPicture(), white));
  out("weaponShotgun.bmp", PictureBmp(WeaponShotgun(), white));
  out("weaponFlame.bmp", PictureBmp(WeaponFlame(), white));
  out("weaponRifle.bmp", PictureBmp(WeaponRifle(), white));
  out("preview.bmp", PictureBmp(PreviewPicture(), white));
  out("referralPicture.bmp", PictureBmp(ReferralPicture(), white));
  const Canvas settings_icon = SettingsIcon(), preview_icon = PreviewIcon(),
               referral_icon = ReferralIcon();
  out("settingsIcon.ico", IconFile({&settings_icon, 8}));
  out("previewIcon.ico", IconFile({&preview_icon, 4}));
  out("referralIcon.ico", IconFile({&referral_icon, 4}));

  for (const Sound& s : AllSounds()) out(s.name, Wav(s.samples, kSampleRate));
}

// The program's icon for the desktop's icon theme, at the sizes we install.
void RunIcons(const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir);
  for (int size : {32, 64}) {
    WriteFile((dir / ("marrowtide-gobble-run-" + std::to_string(size) + ".png")).string(),
              Png(SettingsIcon(size)));
  }
}

}  // namespace
}  // namespace assetgen

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: %s <asset folder> [<desktop icon folder>]\n", argv[0]);
    return 2;
  }
  try {
    assetgen::Run(argv[1]);
    if (argc == 3) assetgen::RunIcons(argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "assetgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
