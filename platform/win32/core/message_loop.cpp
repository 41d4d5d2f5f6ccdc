// The message loop: PeekMessage to drain the queue, MsgWaitForMultipleObjects to sleep.
#include "internal/message_loop.h"

#include "ui/ui_support.h"
#include "win32_api.h"

namespace platform::detail {

void PumpMessages() {
  MSG msg;
  // Wide messages: our windows are wide, so typed text arrives as UTF-16 whatever the
  // code page. Tab, Escape and the arrows of our dialogs go to the dialog manager first.
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (win32::TranslateDialogMessage(&msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void WaitForMessagesUntil(uint32_t deadline_tick) {
  // The difference read as signed: deadlines keep working when the tick count wraps.
  const int32_t remaining = static_cast<int32_t>(deadline_tick - ::GetTickCount());
  if (remaining <= 0) return;
  // A message already queued would not wake the wait below.
  if (HIWORD(::GetQueueStatus(QS_ALLINPUT)) != 0) return;
  ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(remaining), QS_ALLINPUT);
}

}  // namespace platform::detail
