#include "ui/ui_support.h"

#include <algorithm>
#include <vector>

namespace platform::win32 {
namespace {

struct OpenWindow {
  HWND window;
  bool is_dialog;
  TabHandler tab;
};

std::vector<OpenWindow>& OpenWindows() {
  static std::vector<OpenWindow> windows;
  return windows;
}

}  // namespace

HINSTANCE ProgramModule() {
  return ::GetModuleHandleW(nullptr);
}

int UnitsToPixelsX(double units) {
  return static_cast<int>(units / UnitsPerPixelX());
}
int UnitsToPixelsY(double units) {
  return static_cast<int>(units / UnitsPerPixelY());
}

void WindowOpened(HWND window, bool is_dialog, TabHandler tab) {
  WindowClosed(window);
  OpenWindows().push_back({window, is_dialog, std::move(tab)});
}

void WindowClosed(HWND window) {
  auto& windows = OpenWindows();
  windows.erase(std::remove_if(windows.begin(), windows.end(),
                               [window](const OpenWindow& w) { return w.window == window; }),
                windows.end());
}

int OpenWindowCount() {
  return static_cast<int>(OpenWindows().size());
}

bool TranslateDialogMessage(MSG* message) {
  if (!message->hwnd) return false;
  HWND root = ::GetAncestor(message->hwnd, GA_ROOT);
  for (const OpenWindow& w : OpenWindows()) {
    if (!w.is_dialog || w.window != root) continue;
    if (w.tab && message->message == WM_KEYDOWN && message->wParam == VK_TAB &&
        ::GetKeyState(VK_CONTROL) >= 0) {
      auto tab = w.tab;  // the handler may close the window
      tab(::GetKeyState(VK_SHIFT) < 0);
      return true;
    }
    return ::IsDialogMessageW(root, message) != FALSE;
  }
  return false;
}

}  // namespace platform::win32
