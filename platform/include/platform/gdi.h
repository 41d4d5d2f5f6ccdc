#pragma once
// The drawing interface the graphics toolkit relies on, named after the Win32 calls it
// stands for. Handles are 32-bit; 0 means none. On Windows these are gdi32/user32; on
// Linux a software GDI over xRGB8888 and one-bit buffers with a handle table.
//
// Contract (both platforms):
//  - a new memory DC holds a 1 x 1 one-bit bitmap; default text colour black, background
//    white;
//  - CreateCompatibleBitmap makes a bitmap in the format of the bitmap the reference DC
//    holds (the screen's format, xRGB 32 bits, for a screen DC);
//  - BitBlt: SRCCOPY, SRCPAINT, SRCAND, SRCINVERT, WHITENESS between any two formats.
//    Colour into one-bit: 1 where the source pixel equals the source DC's background
//    colour. One-bit into colour: 0 -> destination text colour, 1 -> its background colour.
//    Only pixels inside both surfaces change; any coordinates are allowed.
#include <cstdint>
#include <string>

namespace platform::gdi {

using Handle = uint32_t;
using ColorRef = uint32_t;  // 0x00BBGGRR

constexpr uint32_t SRCCOPY = 0x00CC0020;
constexpr uint32_t SRCPAINT = 0x00EE0086;
constexpr uint32_t SRCAND = 0x008800C6;
constexpr uint32_t SRCINVERT = 0x00660046;
constexpr uint32_t WHITENESS = 0x00FF0062;

// The BITMAP record (GetObjectA with 24 bytes); only width and height are used.
struct BitmapInfo {
  int32_t bmType = 0;
  int32_t bmWidth = 0;
  int32_t bmHeight = 0;
  int32_t bmWidthBytes = 0;
  uint16_t bmPlanes = 0;
  uint16_t bmBitsPixel = 0;
  uint32_t bmBits = 0;
};

Handle GetDesktopWindow();
// A window's DC; the desktop window (or 0) gives the screen's DC. On Linux a foreign X
// window id gives a DC whose blits reach that window; a handle that is no window gives 0.
Handle GetDC(Handle window);
int ReleaseDC(Handle window, Handle dc);

Handle CreateCompatibleDC(Handle reference_dc);  // 0: compatible with the screen
Handle CreateCompatibleBitmap(Handle reference_dc, int32_t width, int32_t height);
Handle SelectObject(Handle dc, Handle object);  // returns the object selected before
bool DeleteObject(Handle object);
bool DeleteDC(Handle dc);
// Fills the record for a bitmap handle; returns the bytes written (24), 0 on failure.
int GetObject(Handle bitmap, BitmapInfo* info);

// LoadImageA(module, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE): the .bmp file at its stored
// size, in the screen's format. 0 on any failure (missing, truncated, corrupt, too large).
Handle LoadBitmapFile(const std::string& path);

ColorRef SetBkColor(Handle dc, ColorRef colour);  // returns the previous colour
ColorRef SetTextColor(Handle dc, ColorRef colour);
ColorRef GetBkColor(Handle dc);

bool BitBlt(Handle dest_dc, int32_t x, int32_t y, int32_t width, int32_t height, Handle src_dc,
            int32_t src_x, int32_t src_y, uint32_t rop);
// Transparent drawing's two transfers in one call, with their result: BitBlt from mask_dc
// with SRCPAINT, then from picture_dc with SRCAND, both from (src_x, src_y). The Linux GDI
// makes it one pass over the destination; true when both transfers were made.
bool BitBltMaskThenPicture(Handle dest_dc, int32_t x, int32_t y, int32_t width, int32_t height,
                           Handle mask_dc, Handle picture_dc, int32_t src_x, int32_t src_y);

// Reading and writing one pixel (0x00BBGGRR; a one-bit surface reads 0 or 0x00FFFFFF).
// For tests and tools. GetPixel outside the surface gives 0xFFFFFFFF (CLR_INVALID).
ColorRef GetPixel(Handle dc, int32_t x, int32_t y);
ColorRef SetPixel(Handle dc, int32_t x, int32_t y, ColorRef colour);
// Reads a rectangle of pixels row by row into `out` (width * height values, as GetPixel
// gives them), in one call. For tests and tools that compare whole surfaces.
void ReadPixels(Handle dc, int32_t x, int32_t y, int32_t width, int32_t height, ColorRef* out);

}  // namespace platform::gdi
