// The message loop: PeekMessage to drain the queue, MsgWaitForMultipleObjects to sleep.
#include "core/message_loop.h"

#include "win32_api.h"

namespace platform::detail {

void PumpMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
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
