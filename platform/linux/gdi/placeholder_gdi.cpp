// Placeholder until the software GDI lands: every call fails or draws nothing.
#include "platform/gdi.h"

namespace platform::gdi {
Handle GetDesktopWindow() { return 0; }
Handle GetDC(Handle) { return 0; }
int ReleaseDC(Handle, Handle) { return 0; }
Handle CreateCompatibleDC(Handle) { return 0; }
Handle CreateCompatibleBitmap(Handle, int32_t, int32_t) { return 0; }
Handle SelectObject(Handle, Handle) { return 0; }
bool DeleteObject(Handle) { return false; }
bool DeleteDC(Handle) { return false; }
int GetObject(Handle, BitmapInfo*) { return 0; }
Handle LoadBitmapFile(const std::string&) { return 0; }
ColorRef SetBkColor(Handle, ColorRef) { return 0; }
ColorRef SetTextColor(Handle, ColorRef) { return 0; }
ColorRef GetBkColor(Handle) { return 0; }
bool BitBlt(Handle, int32_t, int32_t, int32_t, int32_t, Handle, int32_t, int32_t, uint32_t) {
  return false;
}
ColorRef GetPixel(Handle, int32_t, int32_t) { return 0xFFFFFFFF; }
ColorRef SetPixel(Handle, int32_t, int32_t, ColorRef) { return 0xFFFFFFFF; }
}  // namespace platform::gdi
