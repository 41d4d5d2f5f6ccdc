#pragma once
// The program's one message loop, serving every window of the program: the SDL and FLTK
// event sources on Linux, the thread's message queue on Windows.
#include <cstdint>

namespace platform::detail {

// Dispatches every pending message (events, timers), then returns.
void PumpMessages();
// Sleeps until a message arrives (input, a timer, a paint) or the deadline tick has come;
// returns at once when the deadline has passed.
void WaitForMessagesUntil(uint32_t deadline_tick);

}  // namespace platform::detail
