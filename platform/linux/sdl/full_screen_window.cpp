// The run mode's full-screen window on SDL2.
//
// The window's DC is a software-GDI DC over a shadow buffer of the window's size; every
// blit into it copies that rectangle to the window surface and presents exactly that
// rectangle. The shadow keeps the pixels safe when SDL recreates its surface and lets us
// repaint the whole window on an expose.
#include <SDL.h>

#include <memory>
#include <vector>

#include "common/error.h"
#include "core/message_pump.h"
#include "gdi/external_dc.h"
#include "platform/system.h"
#include "platform/window.h"
#include "sdl/cursor_file.h"

namespace platform {
namespace {

int ShiftState() {
  const SDL_Keymod mod = SDL_GetModState();
  int shift = 0;
  if (mod & KMOD_SHIFT) shift |= 1;
  if (mod & KMOD_CTRL) shift |= 2;
  if (mod & KMOD_ALT) shift |= 4;
  return shift;
}

int ButtonCode(uint8_t sdl_button) {
  switch (sdl_button) {
    case SDL_BUTTON_LEFT:
      return 1;
    case SDL_BUTTON_RIGHT:
      return 2;
    case SDL_BUTTON_MIDDLE:
      return 4;
    default:
      return 0;  // further buttons still fire; the scene does not look at them
  }
}

class SdlFullScreenWindow final : public FullScreenWindow {
 public:
  SdlFullScreenWindow(const mt::layout::FormLayout& layout, const std::string& asset_folder) {
    // Partial updates must stay partial: without this hint SDL draws the surface through
    // OpenGL and turns every rectangle into whole rows.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A screen saver must not be stopped by the desktop's own screen saver.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) mt::Fail(mt::ErrorKind::BadFile, SDL_GetError());

    // At the desktop's size at (0, 0): without a window manager a full-screen-desktop flag
    // alone leaves a smaller window.
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
      mode.w = ScreenWidthPixels();
      mode.h = ScreenHeightPixels();
    }
    width_ = mode.w;
    height_ = mode.h;
    window_ = SDL_CreateWindow(layout.caption.c_str(), 0, 0, width_, height_,
                               SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN | SDL_WINDOW_SKIP_TASKBAR);
    if (!window_) mt::Fail(mt::ErrorKind::BadFile, SDL_GetError());

    shadow_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);  // black
    shadow_surface_ = SDL_CreateRGBSurfaceWithFormatFrom(shadow_.data(), width_, height_, 32,
                                                         width_ * 4, SDL_PIXELFORMAT_RGB888);

    if (const mt::layout::Control* timer = layout.Find("mediaTimer")) {
      timer_enabled_ = timer->enabled;
      timer_interval_ = timer->interval;
      timer_due_ = TickCountMs() + static_cast<uint32_t>(timer_interval_);
    }
    // The design-time cursor shows until the scene sets the weapon's sight. It is ours,
    // stored with the layout; should it be unreadable the system's arrow stays.
    if (!layout.cursor.empty()) {
      try {
        SetCursorFromFile(asset_folder + layout.cursor);
      } catch (const mt::Error&) {
      }
    }

    detail::MessageSource source;
    source.pump = [this] { Pump(); };
    source.wait = [](int timeout_ms) { SDL_WaitEventTimeout(nullptr, timeout_ms); };
    source.next_timer = [this] { return NextTimerMs(); };
    detail::AddMessageSource(this, std::move(source));
  }

  ~SdlFullScreenWindow() override { Unload(); }

  void Show() override {
    if (!window_) return;
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    // The first present uploads the whole surface; from then on rectangles suffice.
    PresentAll();
    SDL_PumpEvents();
  }

  void Unload() override {
    if (!window_) return;
    detail::RemoveMessageSource(this);
    if (dc_) detail::DeleteExternalDC(dc_);
    dc_ = 0;
    if (cursor_) SDL_FreeCursor(cursor_);
    cursor_ = nullptr;
    SDL_FreeSurface(shadow_surface_);
    shadow_surface_ = nullptr;
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    unloaded_ = true;
  }

  gdi::Handle hDC() override {
    if (!window_) return 0;
    if (!dc_) {
      detail::ExternalSurface surface;
      surface.pixels = shadow_.data();
      surface.width = width_;
      surface.height = height_;
      surface.pitch_pixels = width_;
      surface.on_changed = [this](int32_t x, int32_t y, int32_t w, int32_t h) {
        Present(x, y, w, h);
      };
      dc_ = detail::CreateExternalDC(std::move(surface));
    }
    return dc_;
  }

  uint32_t hWnd() override { return window_ ? SDL_GetWindowID(window_) : 0; }
  double ScaleWidth() override { return width_; }
  double ScaleHeight() override { return height_; }

  void SetCursorFromFile(const std::string& path) override {
    detail::CursorImage image = detail::ReadCursorFile(path);
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(image.argb.data(), image.width, image.height, 32,
                                           image.width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) mt::Fail(mt::ErrorKind::BadFile, SDL_GetError());
    SDL_Cursor* cursor = SDL_CreateColorCursor(surface, image.hot_x, image.hot_y);
    SDL_FreeSurface(surface);
    if (!cursor) mt::Fail(mt::ErrorKind::BadFile, SDL_GetError());
    SDL_SetCursor(cursor);
    if (cursor_) SDL_FreeCursor(cursor_);
    cursor_ = cursor;
  }

  void SetTimer(bool enabled, int32_t interval_ms) override {
    timer_enabled_ = enabled;
    timer_interval_ = interval_ms;
    // Setting the timer starts its interval anew.
    timer_due_ = TickCountMs() + static_cast<uint32_t>(interval_ms);
  }
  bool TimerEnabled() override { return timer_enabled_; }
  int32_t TimerInterval() override { return timer_interval_; }
  void SetHandlers(Handlers handlers) override { handlers_ = std::move(handlers); }

 private:
  bool TimerArmed() const { return timer_enabled_ && timer_interval_ > 0; }

  int NextTimerMs() const {
    if (!TimerArmed()) return -1;
    const int32_t left = static_cast<int32_t>(timer_due_ - TickCountMs());
    return left < 0 ? 0 : left;
  }

  // Handles every pending event, then the timer. A handler may unload the window (the
  // exit sequence); nothing of it is touched after that.
  void Pump() {
    SDL_Event event;
    while (!unloaded_ && SDL_PollEvent(&event)) {
      switch (event.type) {
        case SDL_MOUSEBUTTONDOWN:
          if (handlers_.mouse_down) {
            MouseEvent mouse;
            mouse.button = ButtonCode(event.button.button);
            mouse.shift = ShiftState();
            mouse.x = event.button.x;  // one layout unit per pixel
            mouse.y = event.button.y;
            handlers_.mouse_down(mouse);
          }
          break;
        case SDL_KEYDOWN:
          if (handlers_.key_down) {
            KeyEvent key;
            key.key_code = static_cast<int>(event.key.keysym.sym);
            key.shift = ShiftState();
            handlers_.key_down(key);
          }
          break;
        case SDL_WINDOWEVENT:
          if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
              event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
            PresentAll();
          }
          break;
        default:
          break;
      }
    }
    if (unloaded_ || !TimerArmed()) return;
    const uint32_t now = TickCountMs();
    if (static_cast<int32_t>(now - timer_due_) >= 0) {
      timer_due_ = now + static_cast<uint32_t>(timer_interval_);
      if (handlers_.timer) handlers_.timer();
    }
  }

  void Present(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!window_ || w <= 0 || h <= 0) return;
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (!target) return;
    SDL_Rect rect{x, y, w, h};
    SDL_Rect dest = rect;
    SDL_BlitSurface(shadow_surface_, &rect, target, &dest);
    SDL_UpdateWindowSurfaceRects(window_, &rect, 1);
  }

  void PresentAll() {
    if (!window_) return;
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (!target) return;
    SDL_BlitSurface(shadow_surface_, nullptr, target, nullptr);
    SDL_UpdateWindowSurface(window_);
  }

  SDL_Window* window_ = nullptr;
  SDL_Cursor* cursor_ = nullptr;
  SDL_Surface* shadow_surface_ = nullptr;
  std::vector<uint32_t> shadow_;
  int32_t width_ = 0, height_ = 0;
  gdi::Handle dc_ = 0;
  bool unloaded_ = false;
  bool timer_enabled_ = false;
  int32_t timer_interval_ = 0;
  uint32_t timer_due_ = 0;
  Handlers handlers_;
};

}  // namespace

std::unique_ptr<FullScreenWindow> CreateFullScreenWindow(const mt::layout::FormLayout& layout,
                                                         const std::string& asset_folder) {
  return std::make_unique<SdlFullScreenWindow>(layout, asset_folder);
}

}  // namespace platform
