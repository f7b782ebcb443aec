#include "app/rehearsal/rehearsal_recorder.h"

#include "app/script/blanks.h"
#include "app/script/script.h"

namespace veltrim {
namespace {

std::int32_t whole_seconds(Rehearsal_duration time) {
  return bounded_to_int32(std::chrono::round<std::chrono::seconds>(time).count());
}

}  // namespace

Rehearsal_recorder::Rehearsal_recorder(const Script& script, Wall_time started)
    : started_(started), script_file_(script.filename()) {
  for (const Segment& segment : script.segments()) {
    segments_.push_back({std::string(without_trailing_blanks(segment.title().value_or(""))), segment.time(),
                         bounded_to_int32(static_cast<std::int64_t>(segment.body_word_count())), {}});
  }
}

void Rehearsal_recorder::record(std::int32_t index, const Segment_timing& timing) {
  if (index < 1 || index > static_cast<std::int32_t>(segments_.size())) return;
  Segment_timing& sum = segments_[static_cast<std::size_t>(index - 1)].timing;
  sum.ran += timing.ran;
  sum.paused += timing.paused;
  sum.added_seconds += timing.added_seconds;
  sum.taken_seconds += timing.taken_seconds;
}

Rehearsal_duration Rehearsal_recorder::ran() const {
  Rehearsal_duration sum{};
  for (const Entry& entry : segments_) sum += entry.timing.ran;
  return sum;
}

Rehearsal Rehearsal_recorder::rehearsal() const {
  Rehearsal run;
  std::int32_t index = 0;
  for (const Entry& entry : segments_) {
    const Segment_timing& t = entry.timing;
    run.rows.push_back({++index, entry.title, entry.planned, whole_seconds(t.ran), bounded_to_int32(t.added_seconds),
                        bounded_to_int32(t.taken_seconds), whole_seconds(t.paused), entry.words});
  }
  return run;
}

}  // namespace veltrim
