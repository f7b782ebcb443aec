#include "app/present/presentation_timing.h"

#include <algorithm>
#include <limits>

#include "app/script/parsetime.h"

namespace veltrim {

namespace {

using std::chrono::seconds;

// Far beyond any presentation yet far from overflowing the clock's units, so that
// no number of "+" presses can wrap the count around.
constexpr ClockDuration longest_budget = seconds{std::numeric_limits<std::int32_t>::max()};

ClockDuration bounded(ClockDuration budget) { return std::clamp(budget, -longest_budget, longest_budget); }

std::int32_t whole_seconds(ClockDuration time) {
  // duration_cast truncates towards zero, as the dial wants.
  const auto count = std::chrono::duration_cast<seconds>(time).count();
  return static_cast<std::int32_t>(std::clamp<seconds::rep>(count, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

SegmentTimer::SegmentTimer(std::int32_t length_seconds, ClockTime start)
    : full_(seconds{length_seconds}), budget_(full_), last_(start) {}

void SegmentTimer::advance(ClockTime now) {
  // A clock that stood still or went back (it should not) counts as no time.
  if (now > last_) (paused_ ? paused_for_ : spent_) += now - last_;
  last_ = std::max(last_, now);
}

void SegmentTimer::toggle_pause(ClockTime now) {
  advance(now);
  paused_ = !paused_;
}

void SegmentTimer::add_seconds(std::int32_t seconds_to_add) {
  budget_ = bounded(budget_ + seconds{seconds_to_add});
  added_ += seconds_to_add;
}

void SegmentTimer::take_seconds(std::int32_t seconds_to_take) {
  budget_ = bounded(budget_ - seconds{seconds_to_take});
  taken_ += seconds_to_take;
}

std::int32_t SegmentTimer::shown_seconds() const { return whole_seconds(remaining()); }

float SegmentTimer::percent_used() const {
  if (full_ <= ClockDuration::zero()) return 100.0F;
  const double left = static_cast<double>(remaining().count()) / static_cast<double>(full_.count());
  return static_cast<float>(std::clamp((1.0 - left) * 100.0, 0.0, 100.0));
}

std::string elapsed_title(ClockDuration elapsed) {
  return "Veltrim - " + create_time_string(std::max(whole_seconds(elapsed), 0)) + " elapsed";
}

}  // namespace veltrim
