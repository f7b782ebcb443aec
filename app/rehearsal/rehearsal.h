// A rehearsal: what one presentation of a script took, segment by segment,
// beside what the script planned. The recorder makes one as the presentation
// runs; it is kept as a CSV file and read back for the report panel and for
// `veltrim --report`.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace veltrim {

class Script;

// One segment's line of the record, in whole seconds.
struct Rehearsal_row {
  std::int32_t index = 0;  // the segment's place in the script, from 1
  std::string title;
  std::int32_t planned = 0;  // the length the script planned
  std::int32_t actual = 0;   // how long it ran, pauses not counted; 0 when never reached
  std::int32_t added = 0;    // seconds added with "+"
  std::int32_t taken = 0;    // seconds taken with "-"
  std::int32_t paused = 0;
  std::int32_t words = 0;

  bool reached() const { return actual > 0; }
  std::int32_t words_per_minute() const;
  bool operator==(const Rehearsal_row&) const = default;
};

// `value` held within the 32-bit range, for sums of many values.
std::int32_t bounded_to_int32(std::int64_t value);

// Words per minute, rounded; 0 when no time passed.
std::int32_t words_per_minute(std::int64_t words, std::int64_t seconds);

struct Rehearsal {
  std::vector<Rehearsal_row> rows;  // one per segment, in script order

  // Every column summed (index 0, no title).
  Rehearsal_row total() const;
  // Over the whole run: the words of the segments that were reached, over the
  // time they ran. Words never spoken do not make the pace look faster.
  std::int32_t total_words_per_minute() const;
  // The row of segment `index`, or nullptr when the run has none.
  const Rehearsal_row* row(std::int32_t index) const;
  bool operator==(const Rehearsal&) const = default;
};

// "Use as Plan": every segment the run reached gets its actual time, rounded
// to 5 seconds (at least 5, as a length of 0 would run 45 seconds), as its
// planned length. Returns true when a length changed; marking the script
// changed is the caller's.
bool use_as_plan(Script& script, const Rehearsal& run);

}  // namespace veltrim
