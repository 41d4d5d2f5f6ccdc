#pragma once
// The four routines through which the graphics classes obtain and give back their
// off-screen surfaces. A surface is three handles kept together by its owner: the memory
// DC, the bitmap selected into it, and the bitmap the DC held before (0 = none).
#include <cstdint>
#include <string>

#include "platform/gdi.h"

class cPicture;

namespace mGDI {

using Handle = platform::gdi::Handle;

// A new surface of lWidth x lHeight pixels: one bit per pixel when bMask, else in the
// screen's format. Content undefined. False on failure; whatever was made before the
// failing step stays in the handles so that DestroyDC frees it.
bool CreateDCAtSize(bool bMask, Handle& lDC, Handle& lBitmap, Handle& lOldBitmap, int32_t lWidth,
                    int32_t lHeight);

// A surface holding the bitmap file at its own size, always in the screen's format (a mask
// file is held in colour). A file that cannot be loaded leaves all three handles 0.
bool CreateDCFromFile(bool bMask, const std::string& sFilename, Handle& lDC, Handle& lBitmap,
                      Handle& lOldBitmap);

// A surface holding a copy of the picture's bitmap at its own size: in the screen's format,
// or, when bMask, in the picture's own format. The picture is left as it is. Throws
// mt::Error (MissingObject) when oPic is none.
bool CreateDCFromPicture(bool bMask, const cPicture* oPic, Handle& lDC, Handle& lBitmap,
                         Handle& lOldBitmap);

// Frees a surface: puts the old bitmap back, deletes the bitmap and the DC, and sets lDC
// and lBitmap to 0. Nothing happens when lDC is 0.
void DestroyDC(Handle& lDC, Handle& lBitmap, Handle lOldBitmap);

}  // namespace mGDI
