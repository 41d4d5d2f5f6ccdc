#include "saver/graphics/cPicture.h"

cPicture::~cPicture() {
  if (m_lBitmap != 0) platform::gdi::DeleteObject(m_lBitmap);
}

std::shared_ptr<cPicture> cPicture::LoadPicture(const std::string& sFilename) {
  const platform::gdi::Handle bitmap = platform::gdi::LoadBitmapFile(sFilename);
  if (bitmap == 0) return nullptr;
  return std::make_shared<cPicture>(bitmap);
}
