#include "app/rehearsal/rehearsal_recorder.h"

#include "app/script/blanks.h"
#include "app/script/script.h"

namespace veltrim {
namespace {

std::int32_t whole_seconds(Rehearsal_duration time) {
  return bounded_to_int32(std::chrono::round<std::chrono::seconds>(time).count());
}

void add(Segment_timing& sum, const Segment_timing& timing) {
  sum.ran += timing.ran;
  sum.paused += timing.paused;
  sum.added_seconds += timing.added_seconds;
  sum.taken_seconds += timing.taken_seconds;
}

}  // namespace

Rehearsal_recorder::Rehearsal_recorder(const Script& script, Wall_time started)
    : started_(started), script_file_(script.filename()) {
  for (const Segment& segment : script.segments()) {
    segments_.push_back({std::string(without_trailing_blanks(segment.title().value_or(""))), segment.time(),
                         bounded_to_int32(static_cast<std::int64_t>(segment.body_word_count())), {}});
  }
}

void Rehearsal_recorder::segment_started(std::int32_t index) {
  running_ = index >= 1 && index <= static_cast<std::int32_t>(segments_.size()) ? index : 0;
  so_far_ = {};
}

void Rehearsal_recorder::segment_so_far(const Segment_timing& so_far) { so_far_ = so_far; }

void Rehearsal_recorder::segment_ended(const Segment_timing& timing) {
  if (running_ > 0) add(segments_[static_cast<std::size_t>(running_ - 1)].timing, timing);
  running_ = 0;
  so_far_ = {};
}

Rehearsal_duration Rehearsal_recorder::ran() const {
  Rehearsal_duration sum = so_far_.ran;
  for (const Entry& entry : segments_) sum += entry.timing.ran;
  return sum;
}

Rehearsal Rehearsal_recorder::rehearsal() const {
  Rehearsal run;
  for (std::size_t i = 0; i < segments_.size(); ++i) {
    const Entry& entry = segments_[i];
    const auto index = static_cast<std::int32_t>(i + 1);
    Segment_timing t = entry.timing;
    if (index == running_) add(t, so_far_);
    run.rows.push_back({index, entry.title, entry.planned, whole_seconds(t.ran), bounded_to_int32(t.added_seconds),
                        bounded_to_int32(t.taken_seconds), whole_seconds(t.paused), entry.words});
  }
  return run;
}

}  // namespace veltrim
