#include "app/present/presentation_clock.h"

#include <algorithm>
#include <limits>

#include "korvid/korvid.h"

namespace veltrim {

ClockTime WindowClock::now() { return std::chrono::steady_clock::now(); }

void WindowClock::idle_wait(std::chrono::milliseconds timeout) {
  const auto longest = std::chrono::milliseconds::rep{std::numeric_limits<int>::max()};
  korvid::startidle(static_cast<int>(std::clamp(timeout.count(), decltype(longest){0}, longest)));
}

}  // namespace veltrim
