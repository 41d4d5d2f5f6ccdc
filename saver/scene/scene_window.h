#pragma once
// What the scene needs of its window. The real one wraps the platform's full-screen
// window; the tests' headless one is a memory DC of any size. The scene never knows which
// it has.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/gdi.h"
#include "platform/window.h"
#include "saver/graphics/ScreenMetrics.h"

namespace mt::scene {

class SceneWindow {
 public:
  using Handlers = platform::FullScreenWindow::Handlers;

  virtual ~SceneWindow() = default;
  // The screen the scene is laid out for, the window's own size in layout units, and the
  // units per pixel.
  virtual ScreenMetrics Screen() = 0;
  virtual void Show() = 0;
  virtual void Unload() = 0;
  virtual platform::gdi::Handle hDC() = 0;
  virtual uint32_t hWnd() = 0;
  // Inner size in layout units.
  virtual double ScaleWidth() = 0;
  virtual double ScaleHeight() = 0;
  // Throws mt::Error (BadFile) when the cursor file cannot be used.
  virtual void SetCursorFromFile(const std::string& path) = 0;
  // The layout's timer: ticks only while messages are processed, one interval after it was
  // enabled or after its previous tick.
  virtual void SetTimer(bool enabled, int32_t interval_ms) = 0;
  virtual bool TimerEnabled() = 0;
  virtual int32_t TimerInterval() = 0;
  virtual void SetHandlers(Handlers handlers) = 0;
};

// The real full-screen window, built from frmSaver's stored layout.
std::unique_ptr<SceneWindow> CreateScreenWindow(const std::string& asset_folder);
// Hack mode: the window a screen-saver daemon handed us (0: the root window).
std::unique_ptr<SceneWindow> CreateGivenWindow(uint32_t window);

}  // namespace mt::scene
