// The run mode's full-screen window on SDL2.
//
// The window's DC is a software-GDI DC over the window surface's own pixels, so drawing
// to the window costs one blit. A blit only notes its rectangle; the noted rectangles go
// to the X server together, in one update, when the program next processes messages or
// waits: a frame is one round trip, and it is on the screen before the frame's wait.
// Where the surface's pixel format is not ours (a 16-bit display), the DC draws into a
// buffer of our own and the update converts the noted rectangles. The scene composes its
// frames in those same pixels (StageDC), so reaching the window costs no copy at all.
#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "common/error.h"
#include "core/end_signals.h"
#include "core/message_pump.h"
#include "core/window_timer.h"
#include "gdi/dirty_region.h"
#include "gdi/retarget_dc.h"
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
    // SDL would turn SIGINT and SIGTERM into a quit event; we take those signals ourselves.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
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
    AttachSurface();

    timer_.Load(layout, "mediaTimer");
    // The design-time cursor shows until the scene sets the weapon's sight. It is ours,
    // stored with the layout; should it be unreadable the system's arrow stays.
    if (!layout.cursor.empty()) {
      try {
        SetCursorFromFile(asset_folder + layout.cursor);
      } catch (const mt::Error&) {
      }
    }

    detail::CatchEndSignals();

    detail::MessageSource source;
    source.pump = [this] { Pump(); };
    source.wait = [this](int timeout_ms) {
      Present();
      SDL_WaitEventTimeout(nullptr, timeout_ms);
    };
    source.next_timer = [this] { return timer_.MsUntilDue(); };
    detail::AddMessageSource(this, std::move(source));
  }

  ~SdlFullScreenWindow() override { Unload(); }

  void Show() override {
    if (!window_) return;
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    // The first update sends the whole surface; from then on rectangles suffice.
    dirty_.AddAll();
    Present();
    SDL_PumpEvents();
  }

  void Unload() override {
    if (!window_) return;
    detail::RemoveMessageSource(this);
    detail::ReleaseEndSignals();
    if (dc_) detail::DeleteExternalDC(dc_);
    if (stage_dc_) detail::DeleteExternalDC(stage_dc_);
    dc_ = stage_dc_ = 0;
    if (cursor_) SDL_FreeCursor(cursor_);
    cursor_ = nullptr;
    if (own_surface_) SDL_FreeSurface(own_surface_);
    own_surface_ = nullptr;
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    unloaded_ = true;
  }

  gdi::Handle hDC() override {
    if (!window_) return 0;
    if (!dc_)
      dc_ =
          PixelsDC([this](int32_t x, int32_t y, int32_t w, int32_t h) { dirty_.Add(x, y, w, h); });
    return dc_;
  }

  gdi::Handle StageDC(int32_t width, int32_t height) override {
    if (!window_ || width != pixels_width_ || height != pixels_height_) return 0;
    if (!stage_dc_) stage_dc_ = PixelsDC(nullptr);
    return stage_dc_;
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

  void SetTimer(bool enabled, int32_t interval_ms) override { timer_.Set(enabled, interval_ms); }
  bool TimerEnabled() override { return timer_.Enabled(); }
  int32_t TimerInterval() override { return timer_.Interval(); }
  void SetHandlers(Handlers handlers) override { handlers_ = std::move(handlers); }

 private:
  // A noted signal, or the window manager closing the window, ends the run.
  void EndRequested() {
    if (handlers_.end_requested) handlers_.end_requested();
  }

  // Presents what the last frame drew, then handles every pending event, then the timer.
  // A handler may unload the window (the exit sequence); nothing of it is touched after
  // that.
  void Pump() {
    Present();
    SDL_Event event;
    if (detail::TakeEndSignal()) EndRequested();
    while (!unloaded_ && SDL_PollEvent(&event)) {
      switch (event.type) {
        case SDL_QUIT:
          EndRequested();
          break;
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
          if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) AttachSurface();
          if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
              event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
            dirty_.AddAll();
            Present();
          }
          break;
        default:
          break;
      }
    }
    if (!unloaded_ && detail::TakeEndSignal()) EndRequested();
    if (!unloaded_ && timer_.TakeDue() && handlers_.timer) handlers_.timer();
  }

  // A DC over the pixels the window shows; `on_changed` hears of every blit into it.
  gdi::Handle PixelsDC(std::function<void(int32_t, int32_t, int32_t, int32_t)> on_changed) {
    detail::ExternalSurface surface;
    surface.pixels = pixels_;
    surface.width = pixels_width_;
    surface.height = pixels_height_;
    surface.pitch_pixels = pixels_pitch_;
    surface.on_changed = std::move(on_changed);
    return detail::CreateExternalDC(std::move(surface));
  }

  // Sends the noted rectangles to the screen in one update.
  void Present() {
    if (!window_ || dirty_.Empty()) return;
    rects_.clear();
    for (const detail::DirtyRect& r : dirty_.Take()) rects_.push_back({r.x, r.y, r.w, r.h});
    if (own_surface_ && surface_) {
      for (SDL_Rect& r : rects_) {
        SDL_Rect dest = r;
        SDL_BlitSurface(own_surface_, &r, surface_, &dest);
      }
    }
    SDL_UpdateWindowSurfaceRects(window_, rects_.data(), static_cast<int>(rects_.size()));
  }

  // Takes the window's surface (again, after a size change) and points the DC at its
  // pixels, keeping what the window showed. SDL frees the old pixels when it makes the new
  // surface, so they are saved first. Without a usable surface the DC draws into our own
  // buffer, which the updates convert.
  void AttachSurface() {
    std::vector<uint32_t> kept;
    const int32_t kept_w = pixels_width_, kept_h = pixels_height_;
    if (pixels_ && !own_surface_) {
      kept.resize(static_cast<size_t>(kept_w) * static_cast<size_t>(kept_h));
      for (int32_t y = 0; y < kept_h; ++y)
        std::memcpy(&kept[static_cast<size_t>(y) * kept_w], pixels_ + int64_t{y} * pixels_pitch_,
                    static_cast<size_t>(kept_w) * 4);
    } else if (own_surface_) {
      kept = own_pixels_;
    }
    if (own_surface_) SDL_FreeSurface(own_surface_);
    own_surface_ = nullptr;

    surface_ = SDL_GetWindowSurface(window_);
    if (surface_ && surface_->format->format == SDL_PIXELFORMAT_RGB888 &&
        surface_->pitch % 4 == 0) {
      pixels_ = static_cast<uint32_t*>(surface_->pixels);
      pixels_width_ = surface_->w;
      pixels_height_ = surface_->h;
      pixels_pitch_ = surface_->pitch / 4;
      own_pixels_.clear();
    } else {
      pixels_width_ = surface_ ? surface_->w : width_;
      pixels_height_ = surface_ ? surface_->h : height_;
      own_pixels_.assign(static_cast<size_t>(pixels_width_) * static_cast<size_t>(pixels_height_),
                         0);
      pixels_ = own_pixels_.data();
      pixels_pitch_ = pixels_width_;
      own_surface_ = SDL_CreateRGBSurfaceWithFormatFrom(pixels_, pixels_width_, pixels_height_, 32,
                                                        pixels_width_ * 4, SDL_PIXELFORMAT_RGB888);
    }
    // Black where nothing was: a new window shows black until drawn.
    for (int32_t y = 0; y < pixels_height_; ++y) {
      uint32_t* row = pixels_ + int64_t{y} * pixels_pitch_;
      const int32_t from = y < kept_h ? std::min(kept_w, pixels_width_) : 0;
      if (from > 0) std::memcpy(row, &kept[static_cast<size_t>(y) * kept_w], size_t(from) * 4);
      std::fill(row + from, row + pixels_width_, 0u);
    }
    dirty_.SetBounds(pixels_width_, pixels_height_);
    for (gdi::Handle dc : {dc_, stage_dc_}) {
      if (dc) detail::RetargetExternalDC(dc, pixels_, pixels_width_, pixels_height_, pixels_pitch_);
    }
  }

  SDL_Window* window_ = nullptr;
  SDL_Cursor* cursor_ = nullptr;
  SDL_Surface* surface_ = nullptr;  // the window's, owned by SDL
  // Where the DC draws: the window surface's pixels, or our own buffer (own_surface_ wraps
  // it) when the surface's format is not ours.
  uint32_t* pixels_ = nullptr;
  int32_t pixels_width_ = 0, pixels_height_ = 0, pixels_pitch_ = 0;
  std::vector<uint32_t> own_pixels_;
  SDL_Surface* own_surface_ = nullptr;
  detail::DirtyRegion dirty_;
  std::vector<SDL_Rect> rects_;
  int32_t width_ = 0, height_ = 0;
  gdi::Handle dc_ = 0;
  gdi::Handle stage_dc_ = 0;  // the same pixels, drawn on without presenting
  bool unloaded_ = false;
  detail::WindowTimer timer_;
  Handlers handlers_;
};

}  // namespace

std::unique_ptr<FullScreenWindow> CreateFullScreenWindow(const mt::layout::FormLayout& layout,
                                                         const std::string& asset_folder) {
  return std::make_unique<SdlFullScreenWindow>(layout, asset_folder);
}

}  // namespace platform
