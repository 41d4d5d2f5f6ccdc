#pragma once
// frmSaver, the full-screen window of the run mode: the scene's set-up, the frame loop, the
// turkey flock and the input handlers.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/window.h"
#include "saver/graphics/cBitmap.h"
#include "saver/graphics/cSprite.h"
#include "saver/graphics/cSpriteBitmaps.h"
#include "saver/graphics/cTile.h"
#include "saver/host/forms.h"
#include "saver/scene/fixed_sprites.h"
#include "saver/scene/scene_window.h"

namespace mt::scene {

// The full-screen window of the run mode.
std::unique_ptr<mt::host::Form> CreateFrmSaver();

// Transparent colour of every sheet of the scene: pure green (0x00BBGGRR).
inline constexpr platform::gdi::ColorRef kTransparentGreen = 0x0000FF00;
inline constexpr int32_t kTurkeyCount = 30;

// Read by exact text, unlike the dialog's number: they differ only on hand-edited values.
struct WeaponFiles {
  const char* sound;
  const char* cursor;
};
// "0" shotgun, "1" flame thrower, "2" rifle; any other text counts as "0".
WeaponFiles WeaponFilesByText(const std::string& sWeapon);

// Where the scene finds its window, settings and assets. Empty paths mean the program's
// own (SettingsFilePath, AssetFolderPath).
struct SceneOptions {
  std::function<std::unique_ptr<SceneWindow>(const std::string& asset_folder)> make_window;
  std::string settings_file;
  std::string asset_folder;
  // Observers for tests: after each frame's restore step, and at each frame's end.
  std::function<void(int64_t frame)> after_restore;
  std::function<void(int64_t frame)> after_frame;
};

class frmSaver : public mt::host::Form {
 public:
  explicit frmSaver(SceneOptions options = {});
  ~frmSaver() override;

  // mt::host::Form: Load builds the window and runs Form_Load, which ends in the frame
  // loop and so returns only when a failed password check let it.
  void Load() override;
  void Show() override;
  void Unload() override;
  uint32_t hWnd() override;

  // Event handlers.
  void Form_Load();
  void Form_MouseDown(int iButton, int iShift, double X, double Y);
  void Form_KeyDown(int iKeyCode, int iShift);
  void mediaTimer_Timer();

  // The frame loop: preparation, then frames until the process ends, under one failure
  // handler. It is the only loop over the frames, for the real run, the tests and the
  // benchmark alike; a test may put another frame body beside this one's.
  void AnimateScene();
  void PrepareAnimation();
  virtual void AnimateFrame();

  // Set-up helpers.
  void LoadSpriteBitmaps(std::shared_ptr<cSpriteBitmaps>& cSheet, const std::string& sFile,
                         int32_t lXImageCount, int32_t lYImageCount,
                         platform::gdi::ColorRef lTransColor);
  void CreateSprite(const std::shared_ptr<cSpriteBitmaps>& cSheet,
                    std::unique_ptr<cSprite>& cTarget);
  void PlaceTurkeyLeft(cSprite& oTurkey);
  void PlaceTurkeyRight(cSprite& oTurkey);
  void PlaceTurkey(cSprite& oTurkey, double dMaxStep);

  cSprite& Turkey(int32_t lIndex) { return *m_cTurkeys.at(static_cast<size_t>(lIndex)); }

  // ---- The window's members (the scene owns every graphics object for the whole run).
  std::shared_ptr<cSpriteBitmaps> m_cBombBitmaps, m_cLogoBitmaps, m_cTreeBitmaps,
      m_cGrassPatchBitmaps, m_cTreeSmallBitmaps, m_cGrassPatchRightBitmaps;
  std::shared_ptr<cSpriteBitmaps> m_cTurkeyLeftBitmaps1, m_cTurkeyRightBitmaps1,
      m_cTurkeyRightBitmaps2, m_cTurkeyLeftBitmaps2;
  std::unique_ptr<cSprite> m_cBomb, m_cLogo, m_cTree, m_cGrassPatch, m_cTreeSmall,
      m_cGrassPatchRight;
  std::array<std::unique_ptr<cSprite>, kTurkeyCount + 1> m_cTurkeys;  // 1 to 30
  std::unique_ptr<cTile> m_cBackground;
  std::unique_ptr<cBitmap> m_cStage;
  int32_t m_lScreenWidth = 0;
  int32_t m_lScreenHeight = 0;
  int16_t m_iSoundNumber = 0;
  std::string m_sShotSound;

  // The last click, shared between the mouse handler and the frame loop.
  int32_t m_lShotX = 0;
  int32_t m_lShotY = 0;
  bool m_bExploding = false;
  bool m_bShotPending = false;

  // Frame-loop state (locals of the loop, kept here so it can run frame by frame).
  int32_t m_lFrameMs = 0;
  int32_t m_lFrameStart = 0;
  int16_t m_iFrameCount = 0;
  platform::gdi::Handle m_hScreenDC = 0;
  int64_t m_lFramesDone = 0;
  // The fixed sprites this frame leaves alone.
  FixedSprites m_oFixedSprites;
  // The explosion has been placed once: from then on there is a place to restore.
  bool m_bBombPlaced = false;

 protected:
  // For another frame body: the observers it must call, and the screen in layout units.
  const SceneOptions& Options() const { return m_options; }
  const ScreenMetrics& Screen() const { return m_oScreen; }

 private:
  std::string AssetFolder() const;
  std::string SettingsFile() const;
  void ReleaseScene();
  template <class Visit>
  void ForEachDrawnSprite(Visit visit);

  SceneOptions m_options;
  std::unique_ptr<SceneWindow> m_window;
  ScreenMetrics m_oScreen;
};

}  // namespace mt::scene
