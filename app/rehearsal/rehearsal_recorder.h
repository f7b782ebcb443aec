// Records a presentation as it runs. The presentation loop says which segment
// starts and hands over each segment run as it ends; the recorder adds runs of
// the same segment together and knows nothing of windows or clocks: the loop
// measures, the caller says when the presentation started.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "app/rehearsal/rehearsal.h"

namespace veltrim {

using Rehearsal_duration = std::chrono::steady_clock::duration;
using Wall_time = std::chrono::system_clock::time_point;

// A presentation that ran less than this, pauses not counted, is an
// accidental start rather than a rehearsal and is not kept.
inline constexpr std::chrono::seconds shortest_rehearsal{10};

// What one run of one segment adds to the record.
struct Segment_timing {
  Rehearsal_duration ran{};  // pauses not counted
  Rehearsal_duration paused{};
  std::int64_t added_seconds = 0;  // with "+"
  std::int64_t taken_seconds = 0;  // with "-"
};

class Rehearsal_recorder {
 public:
  // Takes the script's plan as it stands: titles, lengths and words.
  Rehearsal_recorder(const Script& script, Wall_time started);

  // Segment `index` (from 1) starts a run.
  void segment_started(std::int32_t index);
  // The run in progress has come this far. It counts until the run ends, so
  // that a program ended in the middle of a segment still records it.
  void segment_so_far(const Segment_timing& so_far);
  // The run in progress ended. A segment run again adds up.
  void segment_ended(const Segment_timing& timing);

  Wall_time started() const { return started_; }
  const std::string& script_file() const { return script_file_; }
  // Time presented so far, pauses not counted.
  Rehearsal_duration ran() const;
  bool worth_keeping() const { return ran() >= shortest_rehearsal; }
  // The record in whole seconds, each time rounded to the nearest second.
  Rehearsal rehearsal() const;

 private:
  struct Entry {
    std::string title;
    std::int32_t planned = 0;
    std::int32_t words = 0;
    Segment_timing timing;
  };
  Wall_time started_;
  std::string script_file_;
  std::vector<Entry> segments_;
  std::int32_t running_ = 0;  // the segment whose run is in progress; 0: none
  Segment_timing so_far_;
};

}  // namespace veltrim
