// The program's message loop for modes that leave a window open.
#include "message_pump.h"
#include "platform/system.h"
#include "platform/window.h"

namespace platform {

void RunUntilNoWindowOpen() {
  while (detail::AnySourceRegistered()) {
    detail::PumpAllSources();
    // Wake at least once a second so that a source that cannot wait is still pumped.
    uint32_t now = TickCountMs();
    detail::WaitForAnySource(now + 1000, now);
  }
}

}  // namespace platform
