// Simulated time for running presentations in tests: "now" moves only when the
// loop waits, and scripted user actions happen at chosen instants.
#pragma once

#include <chrono>
#include <functional>
#include <map>

#include "app/present/presentation_clock.h"

namespace veltrim::testing {

class SimulatedClock final : public Clock {
 public:
  ClockTime now() override { return now_; }

  // Like the idle wait: returns at once when an event was stored since the last
  // wait; otherwise time moves on to the next scripted action within
  // `timeout`, which then runs, or by the whole timeout.
  void idle_wait(std::chrono::milliseconds timeout) override;

  // Runs `action` when `when` has passed since the clock started.
  void at(ClockDuration when, std::function<void()> action) { actions_.emplace(start_ + when, std::move(action)); }
  ClockDuration elapsed() const { return now_ - start_; }
  // Time passes while the program thread waits for something that is not the
  // idle wait, such as a question the user takes `duration` to answer. Call
  // it from the user's thread only while the program thread waits.
  void advance(ClockDuration duration) { now_ += duration; }

 private:
  const ClockTime start_{std::chrono::hours{100}};
  ClockTime now_ = start_;
  std::multimap<ClockTime, std::function<void()>> actions_;
};

}  // namespace veltrim::testing
