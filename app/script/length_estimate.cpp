#include "app/script/length_estimate.h"

#include <algorithm>

namespace veltrim {
namespace {

// The longest estimate, 99999 minutes, in quarter minutes.
constexpr std::uint64_t most_quarters = 99999 * 4;

}  // namespace

std::int32_t estimate_length(std::size_t words, std::int32_t words_per_minute) {
  const auto rate = static_cast<std::uint64_t>(std::max(words_per_minute, 1));
  auto counted = std::min<std::uint64_t>(words, std::uint64_t{1} << 40);
  // words * 4 / rate quarter minutes, rounded half up.
  auto quarters = std::clamp<std::uint64_t>((counted * 8 + rate) / (2 * rate), 1, most_quarters);
  return static_cast<std::int32_t>(quarters * 15);
}

void estimate_missing_lengths(Script& script, std::int32_t words_per_minute) {
  for (auto& segment : script.segments()) {
    if (!segment.length_from_heading()) {
      segment.set_time_number(estimate_length(segment.body_word_count(), words_per_minute));
    }
  }
}

}  // namespace veltrim
