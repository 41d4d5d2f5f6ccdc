#pragma once
// The scene's window without a display: its DC is a screen-sized memory bitmap. Events wait
// in a queue until the next message processing; the timer follows the installed services'
// tick count.
#include <cstdint>
#include <deque>
#include <string>

#include "saver/graphics/cBitmap.h"
#include "saver/scene/scene_window.h"

namespace mt::test {

class HeadlessWindow final : public scene::SceneWindow {
 public:
  HeadlessWindow(int32_t width, int32_t height);

  ScreenMetrics Screen() override { return ScreenMetrics::Pixels(width_, height_); }
  void Show() override { shown_ = true; }
  void Unload() override { unloaded_ = true; }
  platform::gdi::Handle hDC() override { return screen_.hDC(); }
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
  // Delivers the queued events, then ticks the timer when it is due.
  void Pump();

  bool shown() const { return shown_; }
  bool unloaded() const { return unloaded_; }
  const std::string& cursor() const { return cursor_; }

 private:
  struct Event {
    bool key = false;
    platform::MouseEvent mouse;
    platform::KeyEvent key_event;
  };
  int32_t width_, height_;
  cBitmap screen_;
  std::deque<Event> events_;
  Handlers handlers_;
  bool shown_ = false, unloaded_ = false;
  std::string cursor_;
  bool timer_enabled_ = false;
  int32_t timer_interval_ = 0;
  uint32_t timer_due_ = 0;
};

}  // namespace mt::test
