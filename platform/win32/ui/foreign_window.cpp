// GetDC serves any window handle as it is, another program's preview box included, so
// there is nothing to enable on Windows.
#include "platform/foreign_window.h"

namespace platform {

void EnableForeignWindowDCs() {}

}  // namespace platform
