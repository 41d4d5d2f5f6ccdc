#pragma once
// The pictures: each drawn in its own design units through a Pen, so the scene's sprites,
// the window pictures and the icons share one drawing.
#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"
#include "pen.h"

namespace assetgen {

// One turkey and one explosion step share the cell size: the hit test compares the two
// sprites' top-left corners, so equal cells make a click on a turkey's middle a hit.
inline constexpr int kCell = 72;
// Turkeys and explosions are designed in a 100 x 100 box, facing right.
inline constexpr double kCellDesign = 100.0;

enum class TurkeyPose { kStep, kStride, kRuffled, kSinged, kRoasted };

void DrawTurkey(Pen& pen, TurkeyPose pose);
void DrawExplosion(Pen& pen, int stage);  // stage 1 to 6

// Trees: the large one is 240 x 330 design units, the small one 150 x 200.
inline constexpr int kTreeW = 240, kTreeH = 330, kSmallTreeW = 150, kSmallTreeH = 200;
void DrawTree(Pen& pen, bool small);
inline constexpr int kGrassW = 170, kGrassH = 60;
void DrawGrassPatch(Pen& pen, bool with_pumpkin);

inline constexpr int kTile = 256;
Canvas BackgroundTile();
Canvas Logo();

// The window pictures and icons.
Canvas SettingsPicture();
Canvas WeaponShotgun();
Canvas WeaponFlame();
Canvas WeaponRifle();
// The settings dialog's icon, which is also the program's icon on the desktop.
Canvas SettingsIcon(int size = 32);
Canvas PreviewPicture();
Canvas PreviewIcon();
Canvas ReferralPicture();
Canvas ReferralIcon();

// A small view of the scene, used by the preview and settings pictures. Positions are
// fractions of the picture's width and height; a turkey's is its centre.
struct SceneTurkey {
  Point at;
  TurkeyPose pose;
  bool left;
};
Canvas SceneView(int width, int height, double zoom, Point grass,
                 const std::vector<SceneTurkey>& turkeys);

enum class Sight { kShotgun, kFlame, kRifle, kDesign };
Canvas Cursor(Sight sight);

// Shared colours.
namespace colours {
inline const Rgb kInk = RgbOf(44, 28, 20);
inline const Rgb kSpriteEdge = RgbOf(52, 38, 30);
}  // namespace colours

}  // namespace assetgen
