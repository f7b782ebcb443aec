#include "app/present/presentation_plan.h"

#include <algorithm>

#include "app/script/parsetime.h"
#include "app/script/script.h"

namespace veltrim {
namespace {

std::int64_t length_to_run(std::int32_t planned_seconds) {
  return planned_seconds < 1 ? unplanned_segment_seconds : planned_seconds;
}

}  // namespace

std::int32_t running_length(std::int32_t planned_seconds, std::int64_t carry_seconds) {
  return std::max(clamp_length(length_to_run(planned_seconds) + carry_seconds), shortest_running_seconds);
}

std::int64_t runtime_as_run(const Script& script, std::int32_t from) {
  std::int64_t total = 0;
  for (std::int32_t i = std::max(from, 1); i <= script.script_number_segments(); ++i) {
    total += length_to_run(script.segment(i).time());
  }
  return total;
}

std::int64_t carry_for(TimeMode mode, const PlanPosition& position) {
  const std::int64_t ahead = (position.planned_total - position.spent) - position.planned_remaining;
  switch (mode) {
    case TimeMode::unfixed:
      return 0;
    case TimeMode::spread:
      // Integer division truncates towards zero, so a few seconds may be left over.
      return position.next < position.count ? ahead / (position.count - position.next) : ahead;
    case TimeMode::next_segment:
      break;
  }
  return ahead;
}

}  // namespace veltrim
