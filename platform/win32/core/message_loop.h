#pragma once
// The thread's one message queue serves every window of the program.
#include <cstdint>

namespace platform::detail {

// Dispatches every message in the queue, then returns.
void PumpMessages();
// Sleeps until a message arrives (input, a timer's WM_TIMER, a paint) or the deadline
// tick has come; returns at once when the deadline has passed or a message is waiting.
void WaitForMessagesUntil(uint32_t deadline_tick);

}  // namespace platform::detail
