#include "app/present/presentation_plan.h"

#include <algorithm>

#include "app/script/parsetime.h"

namespace veltrim {

std::int32_t running_length(std::int32_t planned_seconds, std::int64_t carry_seconds) {
  const std::int64_t planned = planned_seconds < 1 ? unplanned_segment_seconds : planned_seconds;
  return std::max(clamp_length(planned + carry_seconds), shortest_running_seconds);
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
