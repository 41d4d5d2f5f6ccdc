#pragma once
// The timer control of a window built from a stored layout. It ticks only while messages
// are processed: each tick is due one interval after the last one, or after it was set.
#include <cstdint>
#include <string>

#include "common/layout.h"
#include "platform/system.h"

namespace platform::detail {

class WindowTimer {
 public:
  // As the layout's timer control of that name stands, when there is one.
  void Load(const mt::layout::FormLayout& layout, const std::string& name) {
    if (const mt::layout::Control* timer = layout.Find(name)) Set(timer->enabled, timer->interval);
  }
  // Setting the timer starts its interval anew.
  void Set(bool enabled, int32_t interval_ms) {
    enabled_ = enabled;
    interval_ = interval_ms;
    due_ = TickCountMs() + static_cast<uint32_t>(interval_ms);
  }
  bool Enabled() const { return enabled_; }
  int32_t Interval() const { return interval_; }

  // Milliseconds until the next tick: 0 when due, -1 when the timer does not tick.
  int MsUntilDue() const {
    if (!enabled_ || interval_ <= 0) return -1;
    const int32_t left = static_cast<int32_t>(due_ - TickCountMs());  // wrap-safe
    return left < 0 ? 0 : left;
  }
  // True when a tick is due; the next one is then due an interval from now.
  bool TakeDue() {
    if (MsUntilDue() != 0) return false;
    due_ = TickCountMs() + static_cast<uint32_t>(interval_);
    return true;
  }

 private:
  bool enabled_ = false;
  int32_t interval_ = 0;
  uint32_t due_ = 0;
};

}  // namespace platform::detail
