// The program's message loop for modes that leave a window open.
#include "message_pump.h"
#include "platform/system.h"
#include "platform/window.h"

namespace platform {

void RunUntilNoWindowOpen() {
  while (detail::AnySourceRegistered()) {
    detail::PumpMessages();
    // Wake at least once a second so that a source that cannot wait is still pumped.
    detail::WaitForMessagesUntil(TickCountMs() + 1000);
  }
}

}  // namespace platform
