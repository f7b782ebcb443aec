// How long each segment of a presentation runs: its planned length, adjusted by
// what the presenter gained or lost so far, balanced by the time mode.
#pragma once

#include <cstdint>

#include "app/system/prefs.h"

namespace veltrim {

class Script;

// A segment planned with no time runs this long.
inline constexpr std::int32_t unplanned_segment_seconds = 45;
// However much time earlier segments overran, a segment gets at least this long.
inline constexpr std::int32_t shortest_running_seconds = 5;

// The seconds a segment runs: its planned length (unplanned_segment_seconds when
// below 1), plus the carry, at least shortest_running_seconds.
std::int32_t running_length(std::int32_t planned_seconds, std::int64_t carry_seconds);

// The seconds segments `from` to the last are planned to run, each counted as it
// runs before any carry: a segment planned with no time counts
// unplanned_segment_seconds. Balancing against this rather than the stored
// lengths lets a fixed total end when the start panel says, although such a
// segment runs longer than its stored length.
std::int64_t runtime_as_run(const Script& script, std::int32_t from);

// Where a presentation stands when it moves on to segment `next`.
struct PlanPosition {
  std::int64_t planned_total = 0;      // the script's planned runtime, the sum of its stored lengths
  std::int64_t planned_remaining = 0;  // runtime_as_run from `next`
  std::int64_t spent = 0;              // seconds presented so far
  std::int32_t next = 1;               // the segment about to run, from 1
  std::int32_t count = 0;              // segments in the script
};

// Seconds to add to segment `next`'s length. With the total fixed, the time the
// presentation is ahead of plan (negative when behind) goes either wholly to the
// next segment or, spread, as its share: the gain divided by the number of
// segments after `next`, truncated to whole seconds (the last segment takes it
// all). Each segment change measures the gain afresh, so what one share leaves
// over is balanced later.
std::int64_t carry_for(TimeMode mode, const PlanPosition& position);

}  // namespace veltrim
