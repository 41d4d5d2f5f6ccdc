#include "message_pump.h"

#include <time.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/system.h"

namespace platform::detail {
namespace {

struct Entry {
  const void* owner;
  MessageSource source;
};

std::vector<Entry>& Sources() {
  static std::vector<Entry> sources;
  return sources;
}

std::vector<std::function<void()>>& ExitHooks() {
  static std::vector<std::function<void()>> hooks;
  return hooks;
}

void SleepMs(int ms) {
  if (ms <= 0) return;
  timespec ts{ms / 1000, static_cast<long>(ms % 1000) * 1000000L};
  nanosleep(&ts, nullptr);
}

}  // namespace

void AddMessageSource(const void* owner, MessageSource source) {
  RemoveMessageSource(owner);
  Sources().push_back({owner, std::move(source)});
}

void RemoveMessageSource(const void* owner) {
  auto& sources = Sources();
  sources.erase(std::remove_if(sources.begin(), sources.end(),
                               [owner](const Entry& e) { return e.owner == owner; }),
                sources.end());
}

void PumpMessages() {
  // A handler may add or remove sources (a window closing); pump a snapshot.
  std::vector<Entry> snapshot = Sources();
  for (auto& entry : snapshot) {
    if (entry.source.pump) entry.source.pump();
  }
}

void WaitForMessagesUntil(uint32_t deadline_tick) {
  // Wrapping difference read as signed: correct across the 2^32 wrap.
  int32_t remaining = static_cast<int32_t>(deadline_tick - TickCountMs());
  if (remaining <= 0) return;
  int timeout = remaining;
  for (auto& entry : Sources()) {
    if (entry.source.next_timer) {
      int next = entry.source.next_timer();
      if (next >= 0) timeout = std::min(timeout, next);
    }
  }
  // Block in the first source that can wait; with several, poll them in short slices so
  // that none of them waits on the other's events.
  std::vector<WaitFunction> waiters;
  for (auto& entry : Sources()) {
    if (entry.source.wait) waiters.push_back(entry.source.wait);
  }
  if (waiters.empty()) {
    SleepMs(timeout);
  } else if (waiters.size() == 1) {
    waiters.front()(timeout);
  } else {
    waiters.front()(std::min(timeout, 5));
  }
}

bool AnySourceRegistered() {
  return !Sources().empty();
}

void AddExitHook(std::function<void()> hook) {
  ExitHooks().push_back(std::move(hook));
}

void RunExitHooks() {
  auto hooks = std::move(ExitHooks());
  ExitHooks().clear();
  for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) (*it)();
}

}  // namespace platform::detail
