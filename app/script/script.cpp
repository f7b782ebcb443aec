#include "app/script/script.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "app/script/blanks.h"

namespace veltrim {

void Script::set_filename(std::string_view name) { filename_ = std::string(without_trailing_blanks(name)); }

void Script::script_empty() {
  filename_.clear();
  segments_.clear();
}

std::int32_t Script::script_runtime(std::int32_t from) const {
  std::int64_t total = 0;
  for (std::size_t i = static_cast<std::size_t>(std::max(from, 1)) - 1; i < segments_.size(); ++i) {
    total += segments_[i].time();
  }
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(total, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

void Script::script_add_segment(std::optional<Segment> segment) {
  segments_.push_back(segment ? std::move(*segment) : Segment::empty());
}

void Script::script_add_new_segment() {
  Segment segment;
  segment.set_title("Segment #" + std::to_string(segments_.size() + 1));
  segments_.push_back(std::move(segment));
}

void Script::script_remove_segment(std::int32_t index) {
  if (index < 1 || index > script_number_segments()) return;
  segments_.erase(segments_.begin() + (index - 1));
}

void Script::script_swap_segments(std::int32_t i, std::int32_t j) {
  const std::int32_t count = script_number_segments();
  if (i < 1 || j < 1 || i > count || j > count) return;
  std::swap(segments_[static_cast<std::size_t>(i - 1)], segments_[static_cast<std::size_t>(j - 1)]);
}

void Script::script_update() {
  for (Segment& segment : segments_) segment.update_segment();
}

}  // namespace veltrim
