// Lengths for imported segments whose heading gave none, from the words the
// presenter will read, instead of the same minute for every segment.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/script/script.h"

namespace veltrim {

// Words per minute of a presenter reading aloud, when nobody said otherwise (the
// slide converter assumes the same rate).
inline constexpr std::int32_t speaking_rate = 130;

// Seconds to speak `words` at `words_per_minute` (at least 1), rounded to the
// nearest quarter minute, at least 15.
std::int32_t estimate_length(std::size_t words, std::int32_t words_per_minute = speaking_rate);

// Gives every segment whose heading carried no length the estimate of its own
// words; a length the author wrote is kept.
void estimate_missing_lengths(Script& script, std::int32_t words_per_minute = speaking_rate);

}  // namespace veltrim
