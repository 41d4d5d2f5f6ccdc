#include "headless_window.h"

#include <fstream>

#include "common/error.h"
#include "platform/services.h"

namespace mt::test {

HeadlessWindow::HeadlessWindow(int32_t width, int32_t height) : width_(width), height_(height) {
  if (!screen_.CreateAtSize(width, height))
    mt::Fail(mt::ErrorKind::BadFile, "no memory for the screen");
  // Black until drawn, like a new window: the bitmap XOR itself.
  screen_.RenderBitmap(screen_.hDC(), 0, 0, platform::gdi::SRCINVERT);
}

void HeadlessWindow::SetCursorFromFile(const std::string& path) {
  // No cursor to show, but a file that is not there fails as it would on the screen.
  std::ifstream in(path, std::ios::binary);
  if (!in || in.peek() == std::ifstream::traits_type::eof()) {
    mt::Fail(mt::ErrorKind::BadFile, "cursor: cannot read " + path);
  }
  cursor_ = path;
}

void HeadlessWindow::SetTimer(bool enabled, int32_t interval_ms) {
  timer_enabled_ = enabled;
  timer_interval_ = interval_ms;
  timer_due_ = platform::Services().TickCount() + static_cast<uint32_t>(interval_ms);
}

void HeadlessWindow::QueueClick(double x, double y, int button) {
  Event e;
  e.mouse.button = button;
  e.mouse.x = x;
  e.mouse.y = y;
  events_.push_back(e);
}

void HeadlessWindow::QueueKey(int key_code) {
  Event e;
  e.key = true;
  e.key_event.key_code = key_code;
  events_.push_back(e);
}

void HeadlessWindow::Pump() {
  while (!unloaded_ && !events_.empty()) {
    Event e = events_.front();
    events_.pop_front();
    if (e.key) {
      if (handlers_.key_down) handlers_.key_down(e.key_event);
    } else if (handlers_.mouse_down) {
      handlers_.mouse_down(e.mouse);
    }
  }
  if (!timer_enabled_ || timer_interval_ <= 0 || unloaded_) return;
  const uint32_t now = platform::Services().TickCount();
  if (static_cast<int32_t>(now - timer_due_) >= 0) {
    timer_due_ = now + static_cast<uint32_t>(timer_interval_);
    if (handlers_.timer) handlers_.timer();
  }
}

}  // namespace mt::test
