#include "saver/scene/scene_window.h"

#include "saver/windows/layouts/layouts.h"

namespace mt::scene {
namespace {

class ScreenWindow final : public SceneWindow {
 public:
  explicit ScreenWindow(std::unique_ptr<platform::FullScreenWindow> window)
      : window_(std::move(window)) {}

  // The scene is laid out for exactly the window it fills, which need not be the whole X
  // screen (one monitor of several, or a window handed to us).
  ScreenMetrics Screen() override {
    ScreenMetrics screen = ScreenMetrics::FromPlatform();
    screen.dWidthUnits = window_->ScaleWidth();
    screen.dHeightUnits = window_->ScaleHeight();
    return screen;
  }
  void Show() override { window_->Show(); }
  void Unload() override { window_->Unload(); }
  platform::gdi::Handle hDC() override { return window_->hDC(); }
  uint32_t hWnd() override { return window_->hWnd(); }
  double ScaleWidth() override { return window_->ScaleWidth(); }
  double ScaleHeight() override { return window_->ScaleHeight(); }
  void SetCursorFromFile(const std::string& path) override { window_->SetCursorFromFile(path); }
  void SetTimer(bool enabled, int32_t interval_ms) override {
    window_->SetTimer(enabled, interval_ms);
  }
  bool TimerEnabled() override { return window_->TimerEnabled(); }
  int32_t TimerInterval() override { return window_->TimerInterval(); }
  void SetHandlers(Handlers handlers) override { window_->SetHandlers(std::move(handlers)); }

 private:
  std::unique_ptr<platform::FullScreenWindow> window_;
};

}  // namespace

std::unique_ptr<SceneWindow> CreateScreenWindow(const std::string& asset_folder) {
  return std::make_unique<ScreenWindow>(
      platform::CreateFullScreenWindow(mt::windows::frmSaverLayout(), asset_folder));
}

std::unique_ptr<SceneWindow> CreateGivenWindow(uint32_t window) {
  return std::make_unique<ScreenWindow>(
      platform::CreateWindowInGivenWindow(window, mt::windows::frmSaverLayout()));
}

}  // namespace mt::scene
