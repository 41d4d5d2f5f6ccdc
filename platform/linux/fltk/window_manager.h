#pragma once
// What the dialogs ask of a window manager, when one runs: which title-bar functions a
// window offers (the layouts have no minimize or maximize button, and a form without a
// control box has no close either), and how thick the frame around a window will be, so
// that a window can be placed by its outer size before it is shown.
#include <X11/Xlib.h>

namespace platform::fltk {

struct FrameExtents {
  int left = 0, right = 0, top = 0, bottom = 0;
};

// Sets the Motif hints the window managers read: move only (and close with a control box);
// a border and a title (and the window menu with a control box). Window managers may read
// them only when they take the window on: set them before the window manager sees it map.
void SetWindowFunctions(Display* display, Window window, bool control_box);

// The frame the window manager will put around a new window with these functions, asked
// of it with an unmapped stand-in window. False (and no frame) without a window manager
// or when it does not answer within half a second (not every one answers).
bool EstimateFrameExtents(Display* display, bool control_box, FrameExtents& extents);

// The frame of a shown window, once its window manager has said it; false before that or
// without a window manager.
bool ShownFrameExtents(Display* display, Window window, FrameExtents& extents);

}  // namespace platform::fltk
