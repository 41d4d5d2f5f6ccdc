// Device contexts for X windows owned by someone else (the preview box). Each DC draws
// into a pixel buffer of the window's size (at most the screen's); every blit is put into the
// window for the changed rectangle at once, so nothing depends on our ever seeing an Expose.
#include <X11/Xlib.h>

#include <memory>
#include <vector>

#include "core/message_pump.h"
#include "internal/external_dc.h"
#include "platform/foreign_window.h"
#include "x11/window_surface.h"

namespace platform {
namespace {

Display* g_display = nullptr;
using detail::X11WindowSurface;

// The DCs handed out. ReleaseDC deletes the DC but cannot tell us, so each surface stays
// until the process ends; the preview makes exactly one.
std::vector<std::unique_ptr<X11WindowSurface>>& Surfaces() {
  static std::vector<std::unique_ptr<X11WindowSurface>> surfaces;
  return surfaces;
}

gdi::Handle ResolveForeignWindow(gdi::Handle handle) {
  if (g_display == nullptr) return 0;
  const Window window = handle == 0 ? DefaultRootWindow(g_display) : static_cast<Window>(handle);
  auto surface = X11WindowSurface::Open(g_display, window);
  if (!surface) return 0;
  const gdi::Handle dc = detail::CreateExternalDC(surface->External());
  if (dc != 0) Surfaces().push_back(std::move(surface));
  return dc;
}

}  // namespace

void EnableForeignWindowDCs() {
  if (g_display != nullptr) return;
  g_display = XOpenDisplay(nullptr);
  if (g_display == nullptr) return;  // no X server: GetDC keeps its defaults
  detail::SetWindowDCResolver(ResolveForeignWindow);
  detail::AddExitHook([] {
    // Everything put into the foreign window must reach the server before we go.
    detail::SetWindowDCResolver(nullptr);
    Surfaces().clear();
    XCloseDisplay(g_display);
    g_display = nullptr;
  });
}

}  // namespace platform
