#pragma once
// Painting into a window that belongs to another program, named by its handle: the preview
// box of the display settings. Linux: an X window id; Windows: a window handle, which
// GetDC serves as it is.
namespace platform {

// From now on gdi::GetDC(handle) gives a DC whose blits reach the foreign window; handle 0
// gives the screen, painted from its top-left corner; a handle that names no window gives
// 0 (the blit then does nothing) and never ends the program. Idempotent.
void EnableForeignWindowDCs();

}  // namespace platform
