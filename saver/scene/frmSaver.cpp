// frmSaver: set-up, frame loop, turkey flock, input and sound of the full-screen run.
#include "saver/scene/frmSaver.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "common/error.h"
#include "common/numeric.h"
#include "common/product.h"
#include "platform/services.h"
#include "platform/system.h"
#include "saver/host/mScreenSaver.h"

namespace mt::scene {
namespace {

using mt::Add16;
using mt::Add32;
using mt::Div32;
using mt::Mul32;
using mt::Sub32;
using mt::ToInt32;

constexpr uint32_t kShotFlags =
    platform::SND_FILENAME | platform::SND_ASYNC | platform::SND_NODEFAULT;
constexpr uint32_t kAmbientFlags = kShotFlags | platform::SND_NOSTOP;

// A size in layout units as whole pixels: both operands taken to the nearest integer, then
// a truncating division.
int32_t UnitsToPixels(double units, double units_per_pixel) {
  return Div32(ToInt32(units), ToInt32(units_per_pixel));
}

// The tick count read as the signed 32-bit value the loop keeps.
int32_t Ticks() {
  return static_cast<int32_t>(platform::Services().TickCount());
}

// Deadlines wrap with the tick counter instead of failing after 24.8 days of uptime; the
// wait compares the difference as a signed number.
int32_t WrappingAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace

WeaponFiles WeaponFilesByText(const std::string& sWeapon) {
  if (sWeapon == "1") return {"flame.wav", "scopeFlame.cur"};
  if (sWeapon == "2") return {"rifle.wav", "scopeRifle.cur"};
  return {"shotgun.wav", "scopeShot.cur"};
}

frmSaver::frmSaver(SceneOptions options) : m_options(std::move(options)) {
  if (!m_options.make_window) m_options.make_window = CreateScreenWindow;
}

frmSaver::~frmSaver() {
  ReleaseScene();
  m_window.reset();
}

std::string frmSaver::AssetFolder() const {
  return m_options.asset_folder.empty() ? mScreenSaver::AssetFolderPath() : m_options.asset_folder;
}

std::string frmSaver::SettingsFile() const {
  return m_options.settings_file.empty() ? mScreenSaver::SettingsFilePath()
                                         : m_options.settings_file;
}

void frmSaver::Load() {
  try {
    m_window = m_options.make_window(AssetFolder());
  } catch (const mt::Error& e) {
    // No display to show anything on, not even the warning.
    std::fprintf(stderr, "%s: cannot open the full-screen window: %s\n", mt::kProgramTitle,
                 e.what());
    platform::Services().EndProcess(1);
  }
  m_oScreen = m_window->Screen();
  SceneWindow::Handlers handlers;
  handlers.mouse_down = [this](const platform::MouseEvent& e) {
    Form_MouseDown(e.button, e.shift, e.x, e.y);
  };
  handlers.key_down = [this](const platform::KeyEvent& e) { Form_KeyDown(e.key_code, e.shift); };
  handlers.timer = [this] { mediaTimer_Timer(); };
  handlers.end_requested = [this] { Form_KeyDown(0, 0); };
  m_window->SetHandlers(std::move(handlers));
  Form_Load();
}

void frmSaver::Show() {
  if (m_window) m_window->Show();
}

void frmSaver::Unload() {
  ReleaseScene();
  // The window object stays until we go: the exit sequence unloads from inside its
  // message processing.
  if (m_window) m_window->Unload();
}

uint32_t frmSaver::hWnd() {
  return m_window ? m_window->hWnd() : 0;
}

void frmSaver::ReleaseScene() {
  for (auto& turkey : m_cTurkeys) turkey.reset();
  m_cBomb.reset();
  m_cLogo.reset();
  m_cTree.reset();
  m_cGrassPatch.reset();
  m_cTreeSmall.reset();
  m_cGrassPatchRight.reset();
  m_cBombBitmaps.reset();
  m_cLogoBitmaps.reset();
  m_cTreeBitmaps.reset();
  m_cGrassPatchBitmaps.reset();
  m_cTreeSmallBitmaps.reset();
  m_cGrassPatchRightBitmaps.reset();
  m_cTurkeyLeftBitmaps1.reset();
  m_cTurkeyRightBitmaps1.reset();
  m_cTurkeyRightBitmaps2.reset();
  m_cTurkeyLeftBitmaps2.reset();
  m_cBackground.reset();
  m_cStage.reset();
}

// ---------------------------------------------------------------------------- set-up

void frmSaver::LoadSpriteBitmaps(std::shared_ptr<cSpriteBitmaps>& cSheet, const std::string& sFile,
                                 int32_t lXImageCount, int32_t lYImageCount,
                                 platform::gdi::ColorRef lTransColor) {
  cSheet = std::make_shared<cSpriteBitmaps>();
  // Not looked at: a sheet that failed stays empty and the first draw from it fails.
  (void)cSheet->CreateFromFile(sFile, lXImageCount, lYImageCount, "", lTransColor);
}

void frmSaver::CreateSprite(const std::shared_ptr<cSpriteBitmaps>& cSheet,
                            std::unique_ptr<cSprite>& cTarget) {
  cTarget = std::make_unique<cSprite>(m_oScreen);
  cTarget->SpriteData(cSheet);
  cTarget->Create();
}

void frmSaver::PlaceTurkeyRight(cSprite& oTurkey) {
  PlaceTurkey(oTurkey, 8);
}

void frmSaver::PlaceTurkeyLeft(cSprite& oTurkey) {
  PlaceTurkey(oTurkey, -8);
}

// Random steps between 0 and dMaxStep on both axes (never both 0), then a random start
// anywhere on the window, its right and bottom edges included.
void frmSaver::PlaceTurkey(cSprite& oTurkey, double dMaxStep) {
  auto& services = platform::Services();
  while (oTurkey.XDir() == 0 && oTurkey.YDir() == 0) {
    oTurkey.XDir(ToInt32(services.Random() * dMaxStep));
    oTurkey.YDir(ToInt32(services.Random() * dMaxStep));
  }
  services.Randomize();
  const int32_t w = UnitsToPixels(m_window->ScaleWidth(), m_oScreen.dUnitsPerPixelX);
  oTurkey.X(ToInt32(services.Random() * w));
  const int32_t h = UnitsToPixels(m_window->ScaleHeight(), m_oScreen.dUnitsPerPixelY);
  oTurkey.Y(ToInt32(services.Random() * h));
  oTurkey.Active(true);
}

void frmSaver::Form_Load() {
  auto& s = mScreenSaver::State();
  auto& services = platform::Services();
  try {
    // 1. The window is built covering the whole screen (Load).
    // 2. Screen-saver state.
    mScreenSaver::EnableSystemKeys(false);
    mScreenSaver::SetTopmost(true);
    mScreenSaver::HideTaskbar(true);

    // 3. Settings; each key is its own section.
    const std::string settings = SettingsFile();
    mScreenSaver::ReadSetting("speed", "speed", s.m_sSpeed, settings);
    mScreenSaver::ReadSetting("soundPlay", "soundPlay", s.m_sSoundPlay, settings);

    // 4. Sound, the first ambient number and its timer.
    if (s.m_bSoundDevice && s.m_sSoundPlay == "1") {
      s.m_bSoundOn = true;
      services.Randomize();
      m_iSoundNumber = mt::ToInt16(std::floor(services.Random() * 6 + 1));
      m_window->SetTimer(true, 5000);
    } else {
      // Nothing will play: the device the count opened would only stream silence.
      services.ReleaseSoundDevice();
    }

    // 5. Weapon and its shot.
    mScreenSaver::ReadSetting("weapon", "weapon", s.m_sWeapon, settings);
    const WeaponFiles weapon = WeaponFilesByText(s.m_sWeapon);
    const std::string assets = AssetFolder();
    m_sShotSound = assets + weapon.sound;

    // 6. The weapon's sight as the mouse cursor.
    m_window->SetCursorFromFile(assets + weapon.cursor);

    // 7. Without a background there is nothing to show.
    if (platform::FindFileInFolder(assets, "background.bmp") != "background.bmp") {
      mScreenSaver::ShowErrorAndExit(mScreenSaver::MissingFilesMessage());
    }

    // 8. The tiled background.
    m_cBackground = std::make_unique<cTile>(m_oScreen);
    m_cBackground->Initialise(std::make_shared<cRenderTargetOf<SceneWindow>>(*m_window));
    const std::string background = assets + "background.bmp";
    m_cBackground->Filename(background);
    // A background that is there but cannot be read counts as missing, too.
    if (m_cBackground->Filename() != background) {
      mt::Fail(mt::ErrorKind::BadFile, "background.bmp cannot be read");
    }

    // 9. Sheets and sprites of the explosion and the decorations.
    LoadSpriteBitmaps(m_cBombBitmaps, assets + "bomb.bmp", 6, 1, kTransparentGreen);
    CreateSprite(m_cBombBitmaps, m_cBomb);
    LoadSpriteBitmaps(m_cLogoBitmaps, assets + "logo.bmp", 1, 1, kTransparentGreen);
    CreateSprite(m_cLogoBitmaps, m_cLogo);
    LoadSpriteBitmaps(m_cTreeBitmaps, assets + "tree.bmp", 1, 1, kTransparentGreen);
    CreateSprite(m_cTreeBitmaps, m_cTree);
    LoadSpriteBitmaps(m_cGrassPatchBitmaps, assets + "grassPatch.bmp", 1, 1, kTransparentGreen);
    CreateSprite(m_cGrassPatchBitmaps, m_cGrassPatch);
    LoadSpriteBitmaps(m_cTreeSmallBitmaps, assets + "treeSmall.bmp", 1, 1, kTransparentGreen);
    CreateSprite(m_cTreeSmallBitmaps, m_cTreeSmall);
    LoadSpriteBitmaps(m_cGrassPatchRightBitmaps, assets + "grassPatchRight.bmp", 1, 1,
                      kTransparentGreen);
    CreateSprite(m_cGrassPatchRightBitmaps, m_cGrassPatchRight);

    // 10. The flock: four groups, each on its own sheet loaded just before it.
    LoadSpriteBitmaps(m_cTurkeyLeftBitmaps1, assets + "turkeyLeft.bmp", 5, 1, kTransparentGreen);
    for (int32_t i = 1; i <= 8; ++i) {
      CreateSprite(m_cTurkeyLeftBitmaps1, m_cTurkeys[static_cast<size_t>(i)]);
      PlaceTurkeyLeft(Turkey(i));
    }
    LoadSpriteBitmaps(m_cTurkeyRightBitmaps1, assets + "turkeyRight.bmp", 5, 1, kTransparentGreen);
    for (int32_t i = 9; i <= 16; ++i) {
      CreateSprite(m_cTurkeyRightBitmaps1, m_cTurkeys[static_cast<size_t>(i)]);
      PlaceTurkeyRight(Turkey(i));
    }
    LoadSpriteBitmaps(m_cTurkeyRightBitmaps2, assets + "turkeyRight.bmp", 5, 1, kTransparentGreen);
    for (int32_t i = 17; i <= 24; ++i) {
      CreateSprite(m_cTurkeyRightBitmaps2, m_cTurkeys[static_cast<size_t>(i)]);
      PlaceTurkeyRight(Turkey(i));
    }
    LoadSpriteBitmaps(m_cTurkeyLeftBitmaps2, assets + "turkeyLeft.bmp", 5, 1, kTransparentGreen);
    for (int32_t i = 25; i <= kTurkeyCount; ++i) {
      CreateSprite(m_cTurkeyLeftBitmaps2, m_cTurkeys[static_cast<size_t>(i)]);
      PlaceTurkeyLeft(Turkey(i));
    }

    // 11. The stage, filled with the tiled background. Where the window keeps its own
    // pixels (Linux), they are the stage: a frame is composed where it is shown, and the
    // copy to the screen only presents it.
    m_cStage = std::make_unique<cBitmap>();
    m_lScreenWidth = UnitsToPixels(m_oScreen.dWidthUnits, m_oScreen.dUnitsPerPixelX);
    m_lScreenHeight = UnitsToPixels(m_oScreen.dHeightUnits, m_oScreen.dUnitsPerPixelY);
    if (const auto dc = m_window->StageDC(m_lScreenWidth, m_lScreenHeight)) {
      m_cStage->UseDC(dc, m_lScreenWidth, m_lScreenHeight);
    } else {
      (void)m_cStage->CreateAtSize(m_lScreenWidth, m_lScreenHeight);
    }
    m_cBackground->TileDC(m_cStage->hDC(), m_lScreenWidth, m_lScreenHeight);

    // 12. The state once more, now that everything is in place.
    mScreenSaver::EnableSystemKeys(false);
    mScreenSaver::SetTopmost(true);
    mScreenSaver::HideTaskbar(true);

    // 13. Show and paint at once; 14. run.
    m_window->Show();
    AnimateScene();
  } catch (const mt::Error&) {
    mScreenSaver::ShowErrorAndExit(mScreenSaver::MissingFilesMessage());
  }
}

// ------------------------------------------------------------------------ frame loop

void frmSaver::AnimateScene() {
  try {
    PrepareAnimation();
    for (;;) AnimateFrame();
  } catch (const mt::Error&) {
    mScreenSaver::ShowErrorAndExit(mScreenSaver::MissingFilesMessage());
  }
}

void frmSaver::PrepareAnimation() {
  // 1. The window's DC.
  m_hScreenDC = m_window->hDC();
  // 2. Screen size in pixels.
  m_lScreenWidth = UnitsToPixels(m_oScreen.dWidthUnits, m_oScreen.dUnitsPerPixelX);
  m_lScreenHeight = UnitsToPixels(m_oScreen.dHeightUnits, m_oScreen.dUnitsPerPixelY);
  const int32_t W = m_lScreenWidth;
  const int32_t H = m_lScreenHeight;
  // 3. Every turkey starts in its first walking pose.
  for (int32_t i = 1; i <= kTurkeyCount; ++i) Turkey(i).Cell(1);
  // 4. The fixed sprites. The small tree stands the large tree's width from the right.
  m_cLogo->X(Sub32(W, Add32(m_cLogo->Width(), 5)));
  m_cLogo->Y(Sub32(H, Add32(m_cLogo->Height(), 3)));
  m_cLogo->Cell(1);
  m_cTree->X(30);
  m_cTree->Y(Sub32(H, Add32(m_cTree->Height(), 2)));
  m_cTree->Cell(1);
  m_cTreeSmall->X(Sub32(W, m_cTree->Width()));
  m_cTreeSmall->Y(0);
  m_cTreeSmall->Cell(1);
  m_cGrassPatch->X(100);
  m_cGrassPatch->Y(100);
  m_cGrassPatch->Cell(1);
  m_cGrassPatchRight->X(Div32(Mul32(2, W), 3));
  m_cGrassPatchRight->Y(Div32(Mul32(2, H), 3));
  m_cGrassPatchRight->Cell(1);
  m_oFixedSprites.Set({m_cGrassPatchRight.get(), m_cGrassPatch.get(), m_cLogo.get(), m_cTree.get(),
                       m_cTreeSmall.get()});
  // 5. The whole stage reaches the screen once; afterwards only changed areas do.
  m_cStage->RenderBitmap(m_hScreenDC, 0, 0, platform::gdi::SRCCOPY);
  // 6. The frame period from the speed: "0" divides by zero, a text that is no number
  // fails, and anything above 1000 gives 0 (as fast as the work allows).
  m_lFrameMs = Div32(1000, mt::TextToInt32(mScreenSaver::State().m_sSpeed));
  m_iFrameCount = 0;
}

// Restoring, drawing and copying visit the same sprites in the same order, the drawing
// order: grass under the turkeys; the explosion while it runs, the logo and the trees over
// them.
template <class Visit>
void frmSaver::ForEachDrawnSprite(Visit visit) {
  visit(*m_cGrassPatchRight);
  visit(*m_cGrassPatch);
  for (int32_t i = 1; i <= kTurkeyCount; ++i) {
    if (Turkey(i).Active()) visit(Turkey(i));
  }
  if (m_bExploding) visit(*m_cBomb);
  visit(*m_cLogo);
  visit(*m_cTree);
  visit(*m_cTreeSmall);
}

void frmSaver::AnimateFrame() {
  const int32_t W = m_lScreenWidth;
  const int32_t H = m_lScreenHeight;
  auto stage = [this] { return m_cStage->hDC(); };

  // 1. The frame's start, from which its deadline counts.
  m_lFrameStart = Ticks();

  // 2. Walking poses swap every sixth frame, first in frame 7.
  if (m_iFrameCount > 5) {
    for (int32_t i = 1; i <= kTurkeyCount; ++i) {
      cSprite& t = Turkey(i);
      if (t.Cell() == 2) {
        t.Cell(1);
      } else if (t.Cell() == 1) {
        t.Cell(2);
      }
    }
    m_iFrameCount = 0;
  }
  m_iFrameCount = Add16(m_iFrameCount, 1);

  // 3. Undo the last frame's drawing. Every sprite was saved on a stage that was, under
  // it, the tiled background (all saving comes before all drawing, and a fixed sprite in
  // the way is restored first), so putting back what it saved means laying the tile there
  // again: the program neither makes nor reads the saved copies. Each goes back where it
  // was saved, its X and Y, unchanged since: the moving sprites move only further on, the
  // fixed ones never. Nothing was saved before the first frame, nor by an explosion not
  // yet placed.
  auto restore = [&](cSprite& sprite) {
    if (m_lFramesDone == 0 || (&sprite == m_cBomb.get() && !m_bBombPlaced)) return;
    m_cBackground->TileRect(stage(), sprite.X(), sprite.Y(), sprite.Width(), sprite.Height());
  };
  // Of the fixed sprites only the parts that something moving reaches are redone
  // (fixed_sprites.h); such a part is restored as soon as it is known.
  auto touch = [&](const cSprite& moving) {
    m_oFixedSprites.Touch(moving.X(), moving.Y(), moving.Width(), moving.Height(),
                          [&](cSprite&, const FixedSprites::Part& part) {
                            m_cBackground->TileRect(stage(), part.x, part.y, part.width,
                                                    part.height);
                          });
  };
  // First where the moving sprites restore; later (steps 5 and 6) where they are drawn.
  m_oFixedSprites.BeginFrame();
  for (int32_t i = 1; i <= kTurkeyCount; ++i) {
    if (Turkey(i).Active()) touch(Turkey(i));
  }
  if (m_bExploding) touch(*m_cBomb);
  ForEachDrawnSprite([&](cSprite& sprite) {
    if (m_oFixedSprites.Whole(sprite)) restore(sprite);
  });
  if (m_options.after_restore) m_options.after_restore(m_lFramesDone);

  // 4. (The grass patches' backgrounds need no saving: see step 3.)

  // 5. Walk, wrapping at the edges: leaving left or top comes back a whole sprite beyond
  // the opposite edge, leaving right or bottom comes back just outside the opposite edge.
  for (int32_t i = 1; i <= kTurkeyCount; ++i) {
    cSprite& t = Turkey(i);
    if (!t.Active()) continue;
    t.IncrementPosition();
    if (t.XDir() < 0) {
      if (t.X() < Sub32(0, t.Width())) t.X(Add32(W, t.Width()));
    } else if (t.X() > W) {
      t.X(Sub32(0, t.Width()));
    }
    if (t.YDir() < 0) {
      if (t.Y() < Sub32(0, t.Height())) t.Y(Add32(H, t.Height()));
    } else if (t.Y() > H) {
      t.Y(Sub32(0, t.Height()));
    }
    touch(t);
  }

  // 6. The explosion, centred on the last click; a new click moves it without restarting.
  if (m_bExploding) {
    m_cBomb->X(
        Sub32(Div32(m_lShotX, ToInt32(m_oScreen.dUnitsPerPixelX)), Div32(m_cBomb->Width(), 2)));
    m_cBomb->Y(
        Sub32(Div32(m_lShotY, ToInt32(m_oScreen.dUnitsPerPixelY)), Div32(m_cBomb->Height(), 2)));
    m_cBomb->Cell(Add32(m_cBomb->Cell(), 1));
    if (m_cBomb->Cell() > 7) {
      m_bExploding = false;
      m_cBomb->Cell(1);
    }
    touch(*m_cBomb);
    m_bBombPlaced = true;
  }

  // 7. (Nor do the logo's and the trees'.)

  // 8. One hit test per click: every turkey within 20 pixels either way takes its next
  // hit pose.
  if (m_bExploding && m_bShotPending) {
    m_bShotPending = false;
    const int32_t bx = m_cBomb->X();
    const int32_t by = m_cBomb->Y();
    for (int32_t i = 1; i <= kTurkeyCount; ++i) {
      cSprite& t = Turkey(i);
      if (!t.Active()) continue;
      const int32_t tx = t.X();
      const int32_t ty = t.Y();
      if (Sub32(tx, 20) <= bx && bx <= Add32(tx, 20) && Sub32(ty, 20) <= by &&
          by <= Add32(ty, 20)) {
        if (t.Cell() == 1 || t.Cell() == 2) {
          t.Cell(3);
        } else if (t.Cell() == 3) {
          t.Cell(4);
        } else {
          t.Cell(5);
        }
      }
    }
  }

  // 9. Compose on the stage.
  ForEachDrawnSprite([&](cSprite& sprite) {
    if (m_oFixedSprites.Whole(sprite)) {
      sprite.TransparentDraw(stage(), sprite.X(), sprite.Y(), sprite.Cell(), false);
      return;
    }
    for (const auto& part : m_oFixedSprites.DueParts(sprite))
      sprite.TransparentDrawPart(stage(), part.x, part.y, part.width, part.height);
  });

  // 10. Only the changed areas reach the screen: a fixed sprite's due parts lie inside the
  // moving sprites' areas, copied with them.
  ForEachDrawnSprite([&](cSprite& sprite) {
    if (m_oFixedSprites.Whole(sprite)) sprite.StageToScreen(m_hScreenDC, stage());
  });
  m_oFixedSprites.EndFrame();

  // 11. Input and the sound timer run here and in the wait, never mid-frame.
  platform::Services().ProcessMessages();

  // 12. The deadline counts from this frame's start; late frames are not caught up.
  m_lFrameStart = WrappingAdd(m_lFrameStart, m_lFrameMs);
  ++m_lFramesDone;
  mScreenSaver::WaitUntilTick(m_lFrameStart);
  if (m_options.after_frame) m_options.after_frame(m_lFramesDone);
}

// ----------------------------------------------------------------------------- input

void frmSaver::Form_MouseDown(int /*iButton*/, int /*iShift*/, double X, double Y) {
  // Every step runs even when an earlier one fails. Any button fires.
  try {
    m_lShotX = ToInt32(X);
  } catch (const mt::Error&) {
  }
  try {
    m_lShotY = ToInt32(Y);
  } catch (const mt::Error&) {
  }
  try {
    // Without SND_NOSTOP the shot cuts off whatever plays, an ambient sound included.
    if (mScreenSaver::State().m_bSoundOn) platform::Services().PlaySound(m_sShotSound, kShotFlags);
  } catch (const mt::Error&) {
  }
  m_bExploding = true;
  m_bShotPending = true;
}

void frmSaver::Form_KeyDown(int /*iKeyCode*/, int /*iShift*/) {
  mScreenSaver::ExitSaver();
}

void frmSaver::mediaTimer_Timer() {
  // The first tick comes 5 s after the set-up, every later one 30 s after the previous.
  m_window->SetTimer(m_window->TimerEnabled(), 30000);
  m_iSoundNumber = Add16(m_iSoundNumber, 1);
  if (m_iSoundNumber == 7) m_iSoundNumber = 1;
  // With SND_NOSTOP the ambient sound yields to anything still playing; the number has
  // moved on all the same.
  platform::Services().PlaySound(AssetFolder() + "sound" + std::to_string(m_iSoundNumber) + ".wav",
                                 kAmbientFlags);
}

std::unique_ptr<mt::host::Form> CreateFrmSaver() {
  SceneOptions options;
  // Decided at load time: the dispatch has then seen whether a daemon gave us a window.
  options.make_window = [](const std::string& asset_folder) {
    const auto& s = mScreenSaver::State();
    return s.m_bHackMode ? CreateGivenWindow(s.m_lHackWindow) : CreateScreenWindow(asset_folder);
  };
  return std::make_unique<frmSaver>(std::move(options));
}

}  // namespace mt::scene
