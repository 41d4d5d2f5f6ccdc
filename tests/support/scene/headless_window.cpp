#include "headless_window.h"

#include <fstream>

#include "common/error.h"
#include "internal/external_dc.h"
#include "platform/services.h"

namespace mt::test {

HeadlessWindow::HeadlessWindow(int32_t width, int32_t height, Pixels pixels)
    : width_(width), height_(height), pixels_kind_(pixels) {
#ifdef _WIN32
  // Windows' window DC keeps no pixels the scene could compose on.
  pixels_kind_ = Pixels::kOwnBitmap;
#endif
  if (!screen_.CreateAtSize(width, height))
    mt::Fail(mt::ErrorKind::BadFile, "no memory for the screen");
  // Black until drawn, like a new window: the bitmap XOR itself.
  screen_.RenderBitmap(screen_.hDC(), 0, 0, platform::gdi::SRCINVERT);
  if (pixels_kind_ == Pixels::kOwnBitmap) return;
  pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  platform::detail::ExternalSurface surface{pixels_.data(), width, height, width, {}};
  stage_dc_ = platform::detail::CreateExternalDC(surface);
  if (pixels_kind_ == Pixels::kInPlace) {
    surface.on_changed = [this](int32_t x, int32_t y, int32_t w, int32_t h) {
      blitted_.push_back({x, y, w, h});
    };
  }
  window_dc_ = platform::detail::CreateExternalDC(std::move(surface));
}

HeadlessWindow::~HeadlessWindow() {
  if (window_dc_) platform::detail::DeleteExternalDC(window_dc_);
  if (stage_dc_) platform::detail::DeleteExternalDC(stage_dc_);
}

platform::gdi::Handle HeadlessWindow::StageDC(int32_t width, int32_t height) {
  return width == width_ && height == height_ ? stage_dc_ : 0;
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
  for (const Rect& r : blitted_)
    platform::gdi::BitBlt(screen_.hDC(), r.x, r.y, r.w, r.h, window_dc_, r.x, r.y,
                          platform::gdi::SRCCOPY);
  blitted_.clear();
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
