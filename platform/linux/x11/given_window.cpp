// The scene's window in hack mode: a window that a screen-saver daemon created and handed
// us by its id (or the root window). We draw into it through an X image of its size, take
// no input from it (the daemon owns input), and end the run when it is destroyed or when
// an end signal arrives. Nothing here creates a window of its own. As in the full-screen
// window, blits only note their rectangles; a frame's reach the window together, through
// shared memory where the server offers it, when the program next processes messages or
// waits.
#include <X11/Xlib.h>
#include <poll.h>

#include <memory>

#include "common/error.h"
#include "core/end_signals.h"
#include "core/message_pump.h"
#include "core/window_timer.h"
#include "internal/external_dc.h"
#include "platform/system.h"
#include "platform/window.h"
#include "x11/window_surface.h"

namespace platform {
namespace {

class GivenWindow final : public FullScreenWindow {
 public:
  GivenWindow(uint32_t window, const mt::layout::FormLayout& layout) {
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr) mt::Fail(mt::ErrorKind::BadFile, "no X display");
    window_ = window == 0 ? DefaultRootWindow(display_) : static_cast<Window>(window);
    {
      // Only what the window itself does: its end, its size, its exposure. Never input.
      detail::ErrorTrap trap(display_);
      XSelectInput(display_, window_, StructureNotifyMask | ExposureMask);
      if (trap.Failed()) Fail("cannot watch the window");
    }
    surface_ = detail::X11WindowSurface::Open(display_, window_, true);
    if (!surface_) Fail("cannot draw in the window");

    timer_.Load(layout, "mediaTimer");
    detail::CatchEndSignals();
    detail::MessageSource source;
    source.pump = [this] { Pump(); };
    source.wait = [this](int timeout_ms) { Wait(timeout_ms); };
    source.next_timer = [this] { return timer_.MsUntilDue(); };
    detail::AddMessageSource(this, std::move(source));
  }

  ~GivenWindow() override {
    Unload();
    if (display_ != nullptr) XCloseDisplay(display_);
  }

  void Show() override {
    if (!surface_ || gone_) return;
    surface_->Note(0, 0, surface_->Width(), surface_->Height());
    Present();
  }

  void Unload() override {
    if (unloaded_) return;
    unloaded_ = true;
    detail::RemoveMessageSource(this);
    detail::ReleaseEndSignals();
    if (dc_) detail::DeleteExternalDC(dc_);
    dc_ = 0;
    surface_.reset();
    if (display_ != nullptr) XFlush(display_);
  }

  gdi::Handle hDC() override {
    if (unloaded_ || !surface_) return 0;
    if (!dc_) dc_ = detail::CreateExternalDC(surface_->External(true));
    return dc_;
  }

  uint32_t hWnd() override { return static_cast<uint32_t>(window_); }
  double ScaleWidth() override { return surface_ ? surface_->Width() : 0; }
  double ScaleHeight() override { return surface_ ? surface_->Height() : 0; }
  // The pointer belongs to the daemon's window; the sight is never shown here.
  void SetCursorFromFile(const std::string&) override {}

  void SetTimer(bool enabled, int32_t interval_ms) override { timer_.Set(enabled, interval_ms); }
  bool TimerEnabled() override { return timer_.Enabled(); }
  int32_t TimerInterval() override { return timer_.Interval(); }
  void SetHandlers(Handlers handlers) override { handlers_ = std::move(handlers); }

 private:
  [[noreturn]] void Fail(const char* why) {
    XCloseDisplay(display_);
    display_ = nullptr;
    mt::Fail(mt::ErrorKind::BadFile, why);
  }

  // A window that went shows up as its destroy event; the failed put needs no answer.
  void Present() {
    if (surface_ && !gone_) surface_->Present();
  }

  void Wait(int timeout_ms) {
    Present();
    if (XPending(display_) > 0) return;
    pollfd connection{ConnectionNumber(display_), POLLIN, 0};
    poll(&connection, 1, timeout_ms);
  }

  void EndRequested() {
    if (handlers_.end_requested) handlers_.end_requested();
  }

  void Pump() {
    Present();
    if (detail::TakeEndSignal()) EndRequested();
    while (!unloaded_ && XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.xany.window != window_) continue;
      if (event.type == DestroyNotify && event.xdestroywindow.window == window_) {
        gone_ = true;
      } else if (event.type == Expose && event.xexpose.count == 0) {
        Show();
      }
    }
    if (unloaded_) return;
    if (gone_) {
      EndRequested();
      return;
    }
    if (timer_.TakeDue() && handlers_.timer) handlers_.timer();
  }

  Display* display_ = nullptr;
  Window window_ = 0;
  std::unique_ptr<detail::X11WindowSurface> surface_;
  gdi::Handle dc_ = 0;
  bool unloaded_ = false;
  bool gone_ = false;
  detail::WindowTimer timer_;
  Handlers handlers_;
};

}  // namespace

std::unique_ptr<FullScreenWindow> CreateWindowInGivenWindow(uint32_t window,
                                                            const mt::layout::FormLayout& layout) {
  return std::make_unique<GivenWindow>(window, layout);
}

}  // namespace platform
