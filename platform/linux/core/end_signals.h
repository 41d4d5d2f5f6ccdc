#pragma once
// The signals that end a run: idle daemons and lockers end their saver with SIGTERM, a
// terminal with SIGINT or SIGHUP. While caught, a signal is only noted; the window that
// caught it takes the note in its next pump and ends the run through the scene's own exit
// sequence, as a key would. A signal that whoever started us ignores (nohup, a shell's
// background job) stays ignored.
namespace platform::detail {

void CatchEndSignals();
// Puts back what was there before CatchEndSignals.
void ReleaseEndSignals();
// True once after an end signal arrived.
bool TakeEndSignal();

}  // namespace platform::detail
