#include "app/rehearsal/rehearsal.h"

#include <algorithm>
#include <limits>

#include "app/script/parsetime.h"
#include "app/script/script.h"

namespace veltrim {
namespace {

constexpr std::int32_t plan_step = 5;

std::int64_t rounded_to_step(std::int64_t seconds) {
  return std::max<std::int64_t>((seconds + plan_step / 2) / plan_step * plan_step, plan_step);
}

}  // namespace

std::int32_t bounded_to_int32(std::int64_t value) {
  using limits = std::numeric_limits<std::int32_t>;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, limits::min(), limits::max()));
}

std::int32_t words_per_minute(std::int64_t words, std::int64_t seconds) {
  if (seconds <= 0) return 0;
  return bounded_to_int32((words * 60 + seconds / 2) / seconds);
}

std::int32_t Rehearsal_row::words_per_minute() const { return veltrim::words_per_minute(words, actual); }

Rehearsal_row Rehearsal::total() const {
  std::int64_t planned = 0, actual = 0, added = 0, taken = 0, paused = 0, words = 0;
  for (const Rehearsal_row& r : rows) {
    planned += r.planned;
    actual += r.actual;
    added += r.added;
    taken += r.taken;
    paused += r.paused;
    words += r.words;
  }
  return {0,
          {},
          bounded_to_int32(planned),
          bounded_to_int32(actual),
          bounded_to_int32(added),
          bounded_to_int32(taken),
          bounded_to_int32(paused),
          bounded_to_int32(words)};
}

std::int32_t Rehearsal::total_words_per_minute() const {
  std::int64_t words = 0;
  std::int64_t seconds = 0;
  for (const Rehearsal_row& r : rows) {
    if (!r.reached()) continue;
    words += r.words;
    seconds += r.actual;
  }
  return words_per_minute(words, seconds);
}

const Rehearsal_row* Rehearsal::row(std::int32_t index) const {
  const auto found =
      std::find_if(rows.begin(), rows.end(), [index](const Rehearsal_row& r) { return r.index == index; });
  return found == rows.end() ? nullptr : &*found;
}

bool use_as_plan(Script& script, const Rehearsal& run) {
  bool changed = false;
  for (const Rehearsal_row& r : run.rows) {
    if (!r.reached() || r.index < 1 || r.index > script.script_number_segments()) continue;
    Segment& segment = script.segment(r.index);
    const std::int32_t length = clamp_length(rounded_to_step(r.actual));
    if (segment.time() == length) continue;
    segment.set_time_number(length);
    changed = true;
  }
  return changed;
}

}  // namespace veltrim
