// A rehearsal as a CSV file: UTF-8, LF line ends, quoted as RFC 4180 quotes.
//
//   index,title,planned_seconds,actual_seconds,added_seconds,taken_seconds,paused_seconds,words,words_per_minute
//   1,Welcome,60,72,15,0,8,150,125
//   ...
//   total,,600,642,15,30,8,1310,122
//
// One row per segment in script order (a segment never reached ran 0
// seconds), then the sums; the total's words per minute is the pace over the
// segments that were reached.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/rehearsal/rehearsal.h"

namespace veltrim {

inline constexpr std::string_view rehearsal_csv_header =
    "index,title,planned_seconds,actual_seconds,added_seconds,taken_seconds,paused_seconds,words,words_per_minute";

std::string rehearsal_csv(const Rehearsal& run);

// The rows of a file rehearsal_csv wrote (LF or CR LF line ends); nothing when
// the text is not such a file. The total row is not read: it is the rows' sum.
std::optional<Rehearsal> parse_rehearsal_csv(std::string_view text);

}  // namespace veltrim
