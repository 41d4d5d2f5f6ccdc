#include "ui/ui_support.h"

#include <algorithm>
#include <vector>

namespace platform::win32 {
namespace {

struct OpenWindow {
  HWND window;
  bool is_dialog;
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

void WindowOpened(HWND window, bool is_dialog) {
  WindowClosed(window);
  OpenWindows().push_back({window, is_dialog});
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
    if (w.is_dialog && w.window == root) return ::IsDialogMessageW(root, message) != FALSE;
  }
  return false;
}

}  // namespace platform::win32
