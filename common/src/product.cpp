#include "common/product.h"

namespace mt {

std::string AssetSubfolder(char separator) {
  std::string folder = MARROWTIDE_ASSET_SUBDIR;
  for (char& c : folder) {
    if (c == '/') c = separator;
  }
  return folder + separator;
}

}  // namespace mt
