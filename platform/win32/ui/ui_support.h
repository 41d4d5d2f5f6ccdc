#pragma once
// What the Win32 windows of this folder share: the program's module, DPI and layout units, and the
// list of our open windows that the message loop serves.
#include <cstdint>
#include <functional>
#include <string>

#include "win32_api.h"

namespace platform::win32 {

// The texts of our windows are UTF-8 (the stored layouts, what the handlers set); the
// windows are wide, so what people type is read as UTF-16 whatever the ANSI code page
// (Utf8ToWide and WideToUtf8 of win32_api.h).

HINSTANCE ProgramModule();

// Layout units to pixels by the screen's real DPI (the manifest makes us DPI aware); truncating, as
// the stored layouts were drawn on a whole-pixel grid.
int UnitsToPixelsX(double units);
int UnitsToPixelsY(double units);

// Our open top-level windows. RunUntilNoWindowOpen runs while any is open, and the message
// loop gives the dialog keyboard (Tab, Escape, arrows) to those registered as dialogs.
// A dialog passes its own Tab handler: the layout's tab order decides where the focus goes
// (the dialog manager would follow the z-order and jump into groups of option buttons).
using TabHandler = std::function<void(bool backwards)>;
void WindowOpened(HWND window, bool is_dialog, TabHandler tab = {});
void WindowClosed(HWND window);
int OpenWindowCount();
// Dialog keyboard handling for a message meant for one of our dialogs; true when used.
bool TranslateDialogMessage(MSG* message);

// The window procedure of a class whose windows each belong to one object: the object comes
// as CreateWindowExW's parameter, is kept in the window's user data and handles what its
// Handle(hwnd, msg, wp, lp, &result) accepts; the rest goes to DefWindowProcW.
template <class Owner>
LRESULT CALLBACK OwnedWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* owner = reinterpret_cast<Owner*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  LRESULT result = 0;
  if (owner && owner->Handle(hwnd, msg, wp, lp, &result)) return result;
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

// Registers, once, the window class `wc` describes, with OwnedWindowProc<Owner> as its
// procedure and the program as its module.
template <class Owner>
void RegisterOwnedWindowClass(WNDCLASSEXW wc) {
  static const bool registered = [&wc] {
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = OwnedWindowProc<Owner>;
    wc.hInstance = ProgramModule();
    return ::RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

}  // namespace platform::win32
