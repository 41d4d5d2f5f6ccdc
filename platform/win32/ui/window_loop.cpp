// The message loop of the modes that leave a window open (the dialogs).
#include "internal/message_loop.h"
#include "ui/ui_support.h"

namespace platform {

void RunUntilNoWindowOpen() {
  while (win32::OpenWindowCount() > 0) {
    detail::PumpMessages();
    if (win32::OpenWindowCount() == 0) break;
    detail::WaitForMessagesUntil(::GetTickCount() + 1000);
  }
}

}  // namespace platform
