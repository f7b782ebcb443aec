#include "app/rehearsal/rehearsal_summary.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/script/blanks.h"
#include "app/script/parsetime.h"
#include "app/script/script.h"

namespace veltrim {
namespace {

// The middle value; between two middle values, their mean rounded up.
std::int32_t median(std::vector<std::int32_t> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  if (values.size() % 2 == 1) return values[middle];
  const std::int64_t sum = std::int64_t{values[middle - 1]} + values[middle];
  return static_cast<std::int32_t>((sum + 1) / 2);
}

std::string columns(std::string_view first, std::string_view planned, std::int32_t last,
                    const std::vector<std::int32_t>& reached) {
  std::string line(first);
  for (const std::string& column : {std::string(planned), create_time_string(last), create_time_string(median(reached)),
                                    std::to_string(reached.size())}) {
    line += '\t' + column;
  }
  return line;
}

}  // namespace

std::string rehearsal_summary(const Script& script, std::span<const Rehearsal> runs) {
  std::string text;
  for (std::int32_t index = 1; index <= script.script_number_segments(); ++index) {
    std::vector<std::int32_t> reached;
    for (const Rehearsal& run : runs) {
      if (const Rehearsal_row* row = run.row(index); row && row->reached()) reached.push_back(row->actual);
    }
    const Rehearsal_row* last = runs.empty() ? nullptr : runs.back().row(index);
    const Segment& segment = script.segment(index);
    text += columns(std::to_string(index), segment.get_time_string(), last ? last->actual : 0, reached);
    text += '\t';
    text += without_trailing_blanks(segment.title().value_or(""));
    text += '\n';
  }
  std::vector<std::int32_t> totals;
  for (const Rehearsal& run : runs) totals.push_back(run.total().actual);
  text += columns("total", create_time_string(script.script_runtime()), totals.empty() ? 0 : totals.back(), totals);
  text += '\n';
  return text;
}

}  // namespace veltrim
