#pragma once
// Windows built from stored layouts, their controls and events, timers, message boxes,
// metrics and the preview. Linux: SDL2 for the full-screen window, its cursor and the
// preview; FLTK 1.3 for dialog windows and message boxes; 1 layout unit per pixel.
// Windows: user32 windows and standard controls; 15 layout units per pixel at 96 DPI.
//
// Event handlers run only inside message processing (Services().ProcessMessages() or
// WaitForMessages), or inside a modal message box, never in the middle of other work.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/layout.h"
#include "platform/gdi.h"

namespace platform {

// Screen size in pixels, and layout units per pixel (fractional values, as the platform
// reports them; 1 on Linux, 15 on Windows at 96 DPI).
int32_t ScreenWidthPixels();
int32_t ScreenHeightPixels();
double UnitsPerPixelX();
double UnitsPerPixelY();

// The real modal message box (Services().MessageBox reaches it): one OK button, dismissed
// with Enter or a click, above every other window of the program.
void ShowMessageBox(const std::string& text, const std::string& caption, bool warning_icon);

// Input as the window system reports it: positions in layout units.
struct MouseEvent {
  int button = 1;  // 1 left, 2 right, 4 middle
  int shift = 0;
  double x = 0, y = 0;
};
struct KeyEvent {
  int key_code = 0;
  int shift = 0;
};

// The full-screen window of the run mode: borderless, covering the screen, above other
// windows. Its DC is backed by the window, so every blit to it reaches the screen for
// that rectangle only.
class FullScreenWindow {
 public:
  struct Handlers {
    std::function<void(const MouseEvent&)> mouse_down;
    std::function<void(const KeyEvent&)> key_down;
    std::function<void()> timer;  // the layout's timer control
    // The process was asked to end (SIGTERM, SIGINT, SIGHUP, or the window manager's
    // close): the run ends as it would on a key.
    std::function<void()> end_requested;
  };

  virtual ~FullScreenWindow() = default;
  // Opens the window at the screen's size at (0, 0); content black until drawn.
  virtual void Show() = 0;
  // Closes the window; its DC is gone afterwards.
  virtual void Unload() = 0;
  virtual gdi::Handle hDC() = 0;
  // A DC over the window's own pixels that draws without presenting, where the window
  // keeps them in memory at exactly width x height; 0 elsewhere (Windows). A picture
  // composed on it reaches the screen by a blit from it to hDC() at the same place, which
  // moves no pixel and only presents the rectangle. Valid until Unload.
  virtual gdi::Handle StageDC(int32_t /*width*/, int32_t /*height*/) { return 0; }
  virtual uint32_t hWnd() = 0;
  // Inner size in layout units.
  virtual double ScaleWidth() = 0;
  virtual double ScaleHeight() = 0;
  // Makes the cursor file (a .cur with its hot spot) the window's mouse cursor. Throws
  // mt::Error (BadFile) when the file cannot be read.
  virtual void SetCursorFromFile(const std::string& path) = 0;
  // The timer ticks only while messages are processed, one interval after it was enabled
  // or after its previous tick.
  virtual void SetTimer(bool enabled, int32_t interval_ms) = 0;
  virtual bool TimerEnabled() = 0;
  virtual int32_t TimerInterval() = 0;
  virtual void SetHandlers(Handlers handlers) = 0;
};

std::unique_ptr<FullScreenWindow> CreateFullScreenWindow(const mt::layout::FormLayout& layout,
                                                         const std::string& asset_folder);

// The same scene window inside a window someone else made and handed us (a screen-saver
// daemon's; 0 names the root window), at that window's size. It takes no input, never
// changes the pointer and opens no window of its own; the end-requested handler runs on
// an end signal and when the window is destroyed. Throws mt::Error (BadFile) when the
// window cannot be drawn in. Linux only.
std::unique_ptr<FullScreenWindow> CreateWindowInGivenWindow(uint32_t window,
                                                            const mt::layout::FormLayout& layout);

// A dialog window built from a stored layout. Controls are addressed by their names.
class DialogWindow {
 public:
  virtual ~DialogWindow() = default;
  // Shows the window modeless (centred when the layout says so) and returns.
  virtual void Show() = 0;
  // Closes the window. The unload handler runs first (once, whatever the way of closing:
  // Close(), the window manager's close, Escape).
  virtual void Close() = 0;
  virtual bool IsOpen() = 0;

  virtual std::string Text(const std::string& control) = 0;
  virtual void SetText(const std::string& control, const std::string& text) = 0;
  // Check box: 0 or 1. Option button: 1 when selected. Scroll bar: its value.
  virtual int32_t Value(const std::string& control) = 0;
  virtual void SetValue(const std::string& control, int32_t value) = 0;
  virtual void SetFocus(const std::string& control) = 0;

  virtual void OnClick(const std::string& control, std::function<void()> handler) = 0;
  virtual void OnUnload(std::function<void()> handler) = 0;

  // Outer size and position, layout units.
  virtual double OuterWidth() = 0;
  virtual double OuterHeight() = 0;
  virtual void Move(double left, double top) = 0;

  virtual uint32_t hWnd() = 0;
};

std::unique_ptr<DialogWindow> CreateDialogWindow(const mt::layout::FormLayout& layout,
                                                 const std::string& asset_folder);

// Runs the message loop until no window of the program is open.
void RunUntilNoWindowOpen();

}  // namespace platform
