#include "tests/present/simulated_clock.h"

#include <algorithm>

#include "korvid/korvid.h"

namespace veltrim::testing {

void SimulatedClock::idle_wait(std::chrono::milliseconds timeout) {
  if (korvid::startidle(0) != korvid::idle_timeout) return;
  const ClockTime deadline = now_ + timeout;
  if (actions_.empty() || actions_.begin()->first > deadline) {
    now_ = deadline;
    return;
  }
  auto next = actions_.extract(actions_.begin());
  now_ = std::max(now_, next.key());
  next.mapped()();
}

}  // namespace veltrim::testing
