#pragma once
// The scene's window without a display. Events wait in a queue until the next message
// processing; the timer follows the installed services' tick count.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "saver/graphics/cBitmap.h"
#include "saver/scene/scene_window.h"

namespace mt::test {

class HeadlessWindow final : public scene::SceneWindow {
 public:
  // Where the window keeps its pixels, as the platforms do.
  enum class Pixels {
    // Screen-sized pixels of its own that the scene may compose on (StageDC); the
    // rectangles blitted to the DC reach the screen at the next message processing, as on
    // the SDL window. What the screen shows is kept apart (ShownDC).
    kInPlace,
    // The same, but nothing is kept of what is shown: the display server's work, which a
    // benchmark of the program leaves out.
    kInPlaceUnshown,
    // The DC is the screen, a memory bitmap every blit reaches at once, and there is no
    // StageDC: the scene keeps a stage of its own, as on Windows.
    kOwnBitmap,
  };
  HeadlessWindow(int32_t width, int32_t height, Pixels pixels = Pixels::kInPlace);
  ~HeadlessWindow() override;

  ScreenMetrics Screen() override { return ScreenMetrics::Pixels(width_, height_); }
  void Show() override { shown_ = true; }
  void Unload() override { unloaded_ = true; }
  platform::gdi::Handle hDC() override { return window_dc_ ? window_dc_ : screen_.hDC(); }
  platform::gdi::Handle StageDC(int32_t width, int32_t height) override;
  uint32_t hWnd() override { return 1; }
  double ScaleWidth() override { return width_; }
  double ScaleHeight() override { return height_; }
  void SetCursorFromFile(const std::string& path) override;
  void SetTimer(bool enabled, int32_t interval_ms) override;
  bool TimerEnabled() override { return timer_enabled_; }
  int32_t TimerInterval() override { return timer_interval_; }
  void SetHandlers(Handlers handlers) override { handlers_ = std::move(handlers); }

  void QueueClick(double x, double y, int button = 1);
  void QueueKey(int key_code);
  // Shows the rectangles blitted to the DC since the last call, delivers the queued events,
  // then ticks the timer when it is due.
  void Pump();
  // What the screen shows.
  platform::gdi::Handle ShownDC() const { return screen_.hDC(); }

  bool shown() const { return shown_; }
  bool unloaded() const { return unloaded_; }
  const std::string& cursor() const { return cursor_; }

 private:
  struct Event {
    bool key = false;
    platform::MouseEvent mouse;
    platform::KeyEvent key_event;
  };
  struct Rect {
    int32_t x, y, w, h;
  };
  int32_t width_, height_;
  Pixels pixels_kind_;
  cBitmap screen_;
  std::vector<uint32_t> pixels_;  // in place: the window's own
  platform::gdi::Handle window_dc_ = 0, stage_dc_ = 0;
  std::vector<Rect> blitted_;  // not yet shown
  std::deque<Event> events_;
  Handlers handlers_;
  bool shown_ = false, unloaded_ = false;
  std::string cursor_;
  bool timer_enabled_ = false;
  int32_t timer_interval_ = 0;
  uint32_t timer_due_ = 0;
};

}  // namespace mt::test
