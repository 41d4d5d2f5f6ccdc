#pragma once
// How the Linux window systems (SDL for the full-screen window, FLTK for dialogs) join the
// program's one message loop. Each registers a pump, which handles its pending events,
// and may register a waiter, which blocks until one of its events arrives or a timeout.
#include <cstdint>
#include <functional>

#include "internal/message_loop.h"

namespace platform::detail {

using PumpFunction = std::function<void()>;
// Blocks at most timeout_ms for an event; returns early when one arrives.
using WaitFunction = std::function<void(int timeout_ms)>;
// Milliseconds until the owner's next timer is due, or -1 when none is.
using NextTimerFunction = std::function<int()>;

struct MessageSource {
  PumpFunction pump;
  WaitFunction wait;             // may be empty
  NextTimerFunction next_timer;  // may be empty
};

void AddMessageSource(const void* owner, MessageSource source);
void RemoveMessageSource(const void* owner);

// PumpMessages handles every pending message of every source once; WaitForMessagesUntil
// waits for the deadline, a source's event or a source's timer, whichever comes first.
// True while any source is registered.
bool AnySourceRegistered();

// Hooks run by EndProcessNow before the process ends (audio flushed, windows closed).
void AddExitHook(std::function<void()> hook);
void RunExitHooks();

}  // namespace platform::detail
