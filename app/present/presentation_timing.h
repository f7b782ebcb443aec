// The countdown of one segment run.
//
// Remaining and spent time are kept in the clock's own units and only ever
// changed by exact clock differences, so however irregular the passes are, no
// fraction of a millisecond is lost and neither count drifts from the clock.
#pragma once

#include <cstdint>
#include <string>

#include "app/present/presentation_clock.h"
#include "app/rehearsal/rehearsal_recorder.h"

namespace veltrim {

class SegmentTimer {
 public:
  // Starts running at `start` with `length_seconds` to go.
  SegmentTimer(std::int32_t length_seconds, ClockTime start);

  // Brings the count up to `now`: time that ran since the last call is spent
  // and taken off the remaining time; paused time counts for neither but is
  // kept apart, for the rehearsal.
  void advance(ClockTime now);
  // Pauses or resumes at `now` (counting up to `now` first).
  void toggle_pause(ClockTime now);
  bool paused() const { return paused_; }

  // "+" and "-": the segment gets more, or less, time to run.
  void add_seconds(std::int32_t seconds);
  void take_seconds(std::int32_t seconds);
  // Sets the remaining time to zero; the last segment waits there.
  void hold_at_zero() { budget_ = spent_; }

  bool time_up() const { return remaining() <= ClockDuration::zero(); }
  ClockDuration remaining() const { return budget_ - spent_; }
  ClockDuration spent() const { return spent_; }
  // What the run adds to the rehearsal: time run and paused, seconds added and taken.
  Segment_timing timing() const { return {spent_, paused_for_, added_, taken_}; }

  // The whole seconds on the dial: the remaining time truncated towards zero,
  // so an overrun shows 0 for its first second, then -1, -2 and so on.
  std::int32_t shown_seconds() const;
  // How much of the starting length is used, from 0 to 100. Time added with
  // "+" can make it negative, which counts as 0; a segment that started with no
  // time at all counts as fully used.
  float percent_used() const;

 private:
  ClockDuration full_;
  ClockDuration budget_;
  ClockDuration spent_{};
  ClockDuration paused_for_{};
  std::int64_t added_ = 0;
  std::int64_t taken_ = 0;
  ClockTime last_;
  bool paused_ = false;
};

// The window title during a presentation, e.g. "Veltrim - 3:45 elapsed".
std::string elapsed_title(ClockDuration elapsed);

}  // namespace veltrim
