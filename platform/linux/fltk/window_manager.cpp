#include "fltk/window_manager.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <poll.h>

namespace platform::fltk {
namespace {

// The bits of the Motif window-manager hints.
constexpr long kHintsFunctions = 1, kHintsDecorations = 2;
constexpr long kFunctionMove = 4, kFunctionClose = 32;
constexpr long kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16;
constexpr int kAnswerWaitMs = 500;

Atom AtomOf(Display* display, const char* name) {
  return XInternAtom(display, name, False);
}

// Reads a property of 32-bit items; false when it is missing or shorter than `count`.
bool ReadCardinals(Display* display, Window window, Atom property, Atom type, long* out,
                   unsigned long count) {
  Atom actual_type = None;
  int actual_format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, property, 0, static_cast<long>(count), False, type,
                         &actual_type, &actual_format, &items, &after, &data) != Success) {
    return false;
  }
  const bool ok = data != nullptr && actual_format == 32 && items >= count;
  if (ok) {
    const auto* values = reinterpret_cast<const long*>(data);
    for (unsigned long i = 0; i < count; ++i) out[i] = values[i];
  }
  if (data) XFree(data);
  return ok;
}

bool ReadExtents(Display* display, Window window, FrameExtents& extents) {
  long values[4] = {};
  if (!ReadCardinals(display, window, AtomOf(display, "_NET_FRAME_EXTENTS"), XA_CARDINAL, values,
                     4)) {
    return false;
  }
  extents = {static_cast<int>(values[0]), static_cast<int>(values[1]), static_cast<int>(values[2]),
             static_cast<int>(values[3])};
  return true;
}

// Whether a window manager that follows the desktop conventions runs and lists `wanted`
// among what it supports.
bool WindowManagerSupports(Display* display, Atom wanted) {
  const Window root = DefaultRootWindow(display);
  long check = 0;
  if (!ReadCardinals(display, root, AtomOf(display, "_NET_SUPPORTING_WM_CHECK"), XA_WINDOW, &check,
                     1)) {
    return false;
  }
  Atom type = None;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, root, AtomOf(display, "_NET_SUPPORTED"), 0, 4096, False, XA_ATOM,
                         &type, &format, &items, &after, &data) != Success) {
    return false;
  }
  bool found = false;
  if (data != nullptr && format == 32) {
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < items && !found; ++i) found = atoms[i] == wanted;
  }
  if (data) XFree(data);
  return found;
}

}  // namespace

void SetWindowFunctions(Display* display, Window window, bool control_box) {
  long hints[5] = {kHintsFunctions | kHintsDecorations,
                   kFunctionMove | (control_box ? kFunctionClose : 0),
                   kDecorBorder | kDecorTitle | (control_box ? kDecorMenu : 0), 0, 0};
  const Atom motif = AtomOf(display, "_MOTIF_WM_HINTS");
  XChangeProperty(display, window, motif, motif, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(hints), 5);
}

bool EstimateFrameExtents(Display* display, bool control_box, FrameExtents& extents) {
  extents = {};
  const Atom request = AtomOf(display, "_NET_REQUEST_FRAME_EXTENTS");
  if (!WindowManagerSupports(display, request)) return false;

  // A stand-in as the dialog will be: fixed size, the same functions. Never mapped.
  const Window root = DefaultRootWindow(display);
  XSetWindowAttributes attributes{};
  attributes.event_mask = PropertyChangeMask;
  const Window probe = XCreateWindow(display, root, 0, 0, 100, 100, 0, CopyFromParent, InputOutput,
                                     CopyFromParent, CWEventMask, &attributes);
  SetWindowFunctions(display, probe, control_box);
  XSizeHints size{};
  size.flags = PMinSize | PMaxSize;
  size.min_width = size.max_width = 100;
  size.min_height = size.max_height = 100;
  XSetWMNormalHints(display, probe, &size);

  XEvent ask{};
  ask.xclient.type = ClientMessage;
  ask.xclient.window = probe;
  ask.xclient.message_type = request;
  ask.xclient.format = 32;
  XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &ask);
  XFlush(display);

  const Atom answer = AtomOf(display, "_NET_FRAME_EXTENTS");
  bool answered = false;
  for (int waited = 0; waited < kAnswerWaitMs && !answered; waited += 10) {
    XEvent event;
    if (XCheckTypedWindowEvent(display, probe, PropertyNotify, &event)) {
      answered = event.xproperty.atom == answer && ReadExtents(display, probe, extents);
      continue;
    }
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, 10);
  }
  XDestroyWindow(display, probe);
  XFlush(display);
  return answered;
}

bool ShownFrameExtents(Display* display, Window window, FrameExtents& extents) {
  return ReadExtents(display, window, extents);
}

}  // namespace platform::fltk
