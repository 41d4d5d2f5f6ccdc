#pragma once
// What the scene needs of its window. The real one wraps the platform's full-screen
// window; the tests' headless one is a memory DC of any size. The scene never knows which
// it has.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/window.h"
#include "saver/graphics/ScreenMetrics.h"

namespace mt::scene {

// The platform's full-screen window, and the screen the scene is laid out for: the
// window's own size in layout units, and the units per pixel.
class SceneWindow : public platform::FullScreenWindow {
 public:
  virtual ScreenMetrics Screen() = 0;
};

// The real full-screen window, built from frmSaver's stored layout.
std::unique_ptr<SceneWindow> CreateScreenWindow(const std::string& asset_folder);
// Hack mode: the window a screen-saver daemon handed us (0: the root window).
std::unique_ptr<SceneWindow> CreateGivenWindow(uint32_t window);

}  // namespace mt::scene
