// The presentation's sense of time: a monotonic "now" and an idle wait that a
// stored program event cuts short. Behind an interface so that tests can run a
// whole presentation in simulated time without sleeping.
#pragma once

#include <chrono>

namespace veltrim {

using ClockTime = std::chrono::steady_clock::time_point;
using ClockDuration = std::chrono::steady_clock::duration;

class Clock {
 public:
  Clock() = default;
  Clock(const Clock&) = delete;
  Clock& operator=(const Clock&) = delete;
  virtual ~Clock() = default;

  virtual ClockTime now() = 0;
  // Sleeps until a program event wakes the main thread or `timeout` has passed.
  virtual void idle_wait(std::chrono::milliseconds timeout) = 0;
};

// The real thing: the monotonic system clock, and Korvid's idle wait on the
// current window (woken by korvid::stopidle, which storing an event calls).
class WindowClock final : public Clock {
 public:
  ClockTime now() override;
  void idle_wait(std::chrono::milliseconds timeout) override;
};

}  // namespace veltrim
