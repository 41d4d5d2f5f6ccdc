#include "core/end_signals.h"

#include <csignal>
#include <iterator>

namespace platform::detail {
namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};
volatile std::sig_atomic_t g_end_signal = 0;
struct sigaction g_saved[std::size(kEndSignals)];
bool g_caught = false;

void NoteEndSignal(int signal_number) {
  g_end_signal = signal_number;
}

}  // namespace

void CatchEndSignals() {
  if (g_caught) return;
  g_caught = true;
  g_end_signal = 0;
  struct sigaction action {};
  action.sa_handler = NoteEndSignal;
  sigemptyset(&action.sa_mask);
  for (size_t i = 0; i < std::size(kEndSignals); ++i) {
    sigaction(kEndSignals[i], nullptr, &g_saved[i]);
    if (g_saved[i].sa_handler == SIG_IGN) continue;
    sigaction(kEndSignals[i], &action, nullptr);
  }
}

void ReleaseEndSignals() {
  if (!g_caught) return;
  g_caught = false;
  for (size_t i = 0; i < std::size(kEndSignals); ++i)
    sigaction(kEndSignals[i], &g_saved[i], nullptr);
}

bool TakeEndSignal() {
  if (g_end_signal == 0) return false;
  g_end_signal = 0;
  return true;
}

}  // namespace platform::detail
