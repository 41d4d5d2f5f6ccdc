// The run mode's full-screen window: a top-most WS_POPUP window at (0, 0) with the screen's
// size. Its DC is the window's own (CS_OWNDC), so what the scene blits reaches the screen
// at once and the colours it sets on the DC stay for the window's life.
#include <memory>

#include "common/error.h"
#include "ui/ui_support.h"

namespace platform {
namespace {

constexpr wchar_t kClassName[] = L"MarrowtideRunWindow";
constexpr UINT_PTR kMediaTimerId = 1;

int ShiftState() {
  int shift = 0;
  if (::GetKeyState(VK_SHIFT) < 0) shift |= 1;
  if (::GetKeyState(VK_CONTROL) < 0) shift |= 2;
  if (::GetKeyState(VK_MENU) < 0) shift |= 4;
  return shift;
}

class Win32FullScreenWindow final : public FullScreenWindow {
 public:
  Win32FullScreenWindow(const mt::layout::FormLayout& layout, const std::string& asset_folder) {
    RegisterClassOnce();
    width_ = ScreenWidthPixels();
    height_ = ScreenHeightPixels();
    window_ = ::CreateWindowExW(WS_EX_TOPMOST, kClassName,
                                win32::Utf8ToWide(layout.caption).c_str(), WS_POPUP, 0, 0, width_,
                                height_, nullptr, nullptr, win32::ProgramModule(), this);
    if (!window_) mt::Fail(mt::ErrorKind::BadFile, "the full-screen window cannot be created");

    if (const mt::layout::Control* timer = layout.Find("mediaTimer")) {
      SetTimer(timer->enabled, timer->interval);
    }
    // The design-time cursor shows until the scene sets the weapon's sight; should it be
    // unreadable the system's arrow stays.
    if (!layout.cursor.empty()) {
      try {
        SetCursorFromFile(asset_folder + layout.cursor);
      } catch (const mt::Error&) {
      }
    }
  }

  ~Win32FullScreenWindow() override { Unload(); }

  void Show() override {
    if (!window_) return;
    ::ShowWindow(window_, SW_SHOW);
    ::SetForegroundWindow(window_);
    ::SetFocus(window_);
    ::UpdateWindow(window_);
    win32::WindowOpened(window_, false);
  }

  void Unload() override {
    if (!window_) return;
    HWND window = window_;
    window_ = nullptr;
    ::KillTimer(window, kMediaTimerId);
    if (dc_) gdi::ReleaseDC(win32::ToHandle32(window), dc_);
    dc_ = 0;
    win32::WindowClosed(window);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    ::DestroyWindow(window);
    if (cursor_) ::DestroyCursor(cursor_);
    cursor_ = nullptr;
  }

  gdi::Handle hDC() override {
    if (!window_) return 0;
    if (!dc_) dc_ = gdi::GetDC(win32::ToHandle32(window_));
    return dc_;
  }

  uint32_t hWnd() override { return window_ ? win32::ToHandle32(window_) : 0; }
  double ScaleWidth() override { return width_ * UnitsPerPixelX(); }
  double ScaleHeight() override { return height_ * UnitsPerPixelY(); }

  void SetCursorFromFile(const std::string& path) override {
    HCURSOR cursor = ::LoadCursorFromFileA(path.c_str());
    if (!cursor) mt::Fail(mt::ErrorKind::BadFile, "cannot read the cursor " + path);
    HCURSOR previous = cursor_;
    cursor_ = cursor;
    // Shown at once when the pointer is over the window; WM_SETCURSOR keeps it there.
    POINT p;
    if (window_ && ::GetCursorPos(&p) && ::WindowFromPoint(p) == window_) ::SetCursor(cursor_);
    if (previous) ::DestroyCursor(previous);
  }

  void SetTimer(bool enabled, int32_t interval_ms) override {
    timer_enabled_ = enabled;
    timer_interval_ = interval_ms;
    if (!window_) return;
    // Setting the timer again starts its interval anew.
    if (enabled && interval_ms > 0) {
      ::SetTimer(window_, kMediaTimerId, static_cast<UINT>(interval_ms), nullptr);
    } else {
      ::KillTimer(window_, kMediaTimerId);
    }
  }
  bool TimerEnabled() override { return timer_enabled_; }
  int32_t TimerInterval() override { return timer_interval_; }
  void SetHandlers(Handlers handlers) override { handlers_ = std::move(handlers); }

 private:
  static void RegisterClassOnce() {
    WNDCLASSEXW wc{};
    wc.style = CS_OWNDC;
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kClassName;
    win32::RegisterOwnedWindowClass<Win32FullScreenWindow>(wc);
  }

  friend LRESULT CALLBACK win32::OwnedWindowProc<Win32FullScreenWindow>(HWND, UINT, WPARAM, LPARAM);

  // A handler may unload the window (the exit sequence) and its owner may delete it;
  // nothing of this object is touched after a handler has run.
  bool Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    switch (msg) {
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_XBUTTONDOWN: {
        if (!handlers_.mouse_down) return false;
        MouseEvent mouse;
        mouse.button = msg == WM_LBUTTONDOWN   ? 1
                       : msg == WM_RBUTTONDOWN ? 2
                       : msg == WM_MBUTTONDOWN ? 4
                                               : 0;
        mouse.shift = ShiftState();
        mouse.x = static_cast<int16_t>(LOWORD(lp)) * UnitsPerPixelX();
        mouse.y = static_cast<int16_t>(HIWORD(lp)) * UnitsPerPixelY();
        auto handler = handlers_.mouse_down;
        handler(mouse);
        *result = msg == WM_XBUTTONDOWN ? TRUE : 0;
        return true;
      }
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN: {
        // Every key ends the run, Alt and F10 included: none reaches the system menu.
        if (!handlers_.key_down) return true;
        KeyEvent key;
        key.key_code = static_cast<int>(wp);
        key.shift = ShiftState();
        auto handler = handlers_.key_down;
        handler(key);
        return true;
      }
      case WM_SYSKEYUP:
      case WM_SYSCHAR:
        return true;
      case WM_TIMER:
        if (wp != kMediaTimerId) return false;
        if (handlers_.timer) {
          auto handler = handlers_.timer;
          handler();
        }
        return true;
      case WM_SETCURSOR:
        if (LOWORD(lp) != HTCLIENT) return false;
        ::SetCursor(cursor_ ? cursor_ : ::LoadCursorA(nullptr, IDC_ARROW));
        *result = TRUE;
        return true;
      case WM_PAINT: {
        // The scene draws whenever it changes; an uncovered part waits for its next frame.
        PAINTSTRUCT ps;
        ::BeginPaint(hwnd, &ps);
        ::EndPaint(hwnd, &ps);
        return true;
      }
      case WM_CLOSE:
        // Only the exit sequence closes the run.
        return true;
      default:
        return false;
    }
  }

  HWND window_ = nullptr;
  HCURSOR cursor_ = nullptr;
  int32_t width_ = 0, height_ = 0;
  gdi::Handle dc_ = 0;
  bool timer_enabled_ = false;
  int32_t timer_interval_ = 0;
  Handlers handlers_;
};

}  // namespace

std::unique_ptr<FullScreenWindow> CreateFullScreenWindow(const mt::layout::FormLayout& layout,
                                                         const std::string& asset_folder) {
  return std::make_unique<Win32FullScreenWindow>(layout, asset_folder);
}

// Windows runs a saver through its own screen-saver host, never inside another program's
// window: the start-up never asks for this here.
std::unique_ptr<FullScreenWindow> CreateWindowInGivenWindow(uint32_t,
                                                            const mt::layout::FormLayout&) {
  mt::Fail(mt::ErrorKind::BadFile, "no window of a screen-saver daemon on Windows");
}

}  // namespace platform
