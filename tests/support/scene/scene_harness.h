#pragma once
// Runs the real frmSaver without a display, for unit and pixel tests and the benchmark: a
// headless window (memory as the screen), the fake services given to it (a clock that
// jumps to each deadline, scripted or seeded random numbers), a settings file of its own, and
// a folder of small generated pictures whose sizes the tests know, or a given asset folder.
// Repeatable: the same seed, screen and settings give the same pixels.
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "fake_services.h"
#include "headless_window.h"
#include "saver/scene/frmSaver.h"
#include "temp_folder.h"

namespace mt::test {

// The generated sheets: each cell a solid colour inside a one-pixel frame of the scene's
// transparent green; cell n has the colour (0x00BBGGRR) plus (n - 1) x kCellStep.
struct SceneSheet {
  const char* file;
  int32_t cells, cell_width, cell_height;
  uint32_t colour;
  uint32_t CellColour(int32_t cell) const {
    return colour + static_cast<uint32_t>(cell - 1) * kCellStep;
  }
  static constexpr uint32_t kCellStep = 0x00100000;  // 0x10 more blue
};
inline constexpr SceneSheet kBombSheet{"bomb.bmp", 6, 20, 20, 0x0000C0};
inline constexpr SceneSheet kLogoSheet{"logo.bmp", 1, 30, 12, 0xC00000};
inline constexpr SceneSheet kTreeSheet{"tree.bmp", 1, 20, 40, 0x106010};
inline constexpr SceneSheet kTreeSmallSheet{"treeSmall.bmp", 1, 10, 20, 0x107010};
inline constexpr SceneSheet kGrassSheet{"grassPatch.bmp", 1, 24, 8, 0x20A020};
inline constexpr SceneSheet kGrassRightSheet{"grassPatchRight.bmp", 1, 24, 8, 0x20B020};
inline constexpr SceneSheet kTurkeyLeftSheet{"turkeyLeft.bmp", 5, 12, 10, 0x005080};
inline constexpr SceneSheet kTurkeyRightSheet{"turkeyRight.bmp", 5, 12, 10, 0x006080};
inline constexpr int32_t kTurkeyW = kTurkeyLeftSheet.cell_width;
inline constexpr int32_t kTurkeyH = kTurkeyLeftSheet.cell_height;
inline constexpr int32_t kBombW = kBombSheet.cell_width;
inline constexpr int32_t kBombH = kBombSheet.cell_height;

// background.bmp (a 16 x 16 checker), every sheet above and the three cursors.
void WriteSceneAssets(const std::string& folder);

// Whole-screen comparisons: pictures as rows of 0x00BBGGRR.
using Picture = std::vector<platform::gdi::ColorRef>;
// The top-left w x h pixels of a DC.
Picture ReadPicture(platform::gdi::Handle dc, int32_t w, int32_t h);
// A bitmap file repeated from (0, 0) over w x h, drawn without the tile class.
Picture TiledPicture(const std::string& file, int32_t w, int32_t h);
// The first pixel where two pictures of width w differ, as "x,y: a / b" in hex, or "".
std::string FirstDifference(const Picture& a, const Picture& b, int32_t w);

class SceneHarness {
 public:
  // `fake` serves the run (it installed itself); an empty `asset_folder` means the generated
  // pictures.
  explicit SceneHarness(FakeServices& fake, int32_t width = 320, int32_t height = 240,
                        const std::string& asset_folder = {});
  ~SceneHarness();
  SceneHarness(const SceneHarness&) = delete;
  SceneHarness& operator=(const SceneHarness&) = delete;

  void Settings(const std::string& speed, const std::string& sound, const std::string& weapon);

  // Starts the program's run mode on the headless window and lets it run `frames` frames.
  // True when the program ended by itself first (exit sequence or failure message).
  bool Run(int64_t frames = std::numeric_limits<int64_t>::max());
  // From a hook: ends the run at that point, the way the program ends, through EndProcess.
  void Stop();

  FakeServices& fake;
  TempFolder folder;
  std::string assets, settings;
  HeadlessWindow* window = nullptr;  // owned by the form
  std::unique_ptr<scene::frmSaver> form;
  std::function<void(int64_t)> on_restore;  // after frame N's restore step (N from 0)
  std::function<void(int64_t)> on_frame;    // after N frames are done (N from 1)
  // Makes the form; another frame body can thus run over the same seed, screen and pictures.
  std::function<std::unique_ptr<scene::frmSaver>(scene::SceneOptions)> make_form;
  int exit_status = -1;
  // How the window keeps its pixels (HeadlessWindow::Pixels).
  HeadlessWindow::Pixels window_pixels = HeadlessWindow::Pixels::kInPlace;

 private:
  int32_t width_, height_;
  bool stopping_ = false;
};

}  // namespace mt::test
