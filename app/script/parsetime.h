// Time values: a length of time as a person writes it, and as whole seconds.
//
// A length is a signed count of whole seconds. People write it in a colon form
// (1:30, 01:30, 1:02:03, -2:15) or a unit form (2m 30s, 2 min 30 sec,
// 1.5 minutes, 45s); the writer always uses minutes, ":" and two-digit seconds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veltrim {

// The longest length a script file reads back unchanged: its minutes field holds
// at most four digits. Segments keep their lengths within plus or minus this.
inline constexpr std::int32_t longest_length = 9999 * 60 + 59;

// Width of the field a length is read from (typed text, or a heading's suffix).
inline constexpr std::size_t length_field_width = 32;

// Seconds described by `text`; never fails: text that describes nothing is 0.
// Unit letters are matched in lower case only (see parse_length_field).
std::int32_t parsetime(std::string_view text);

// As parsetime, but nothing when the text describes no length: no field of a
// colon form and no count before a unit reads as a number ("abc", "90", "x2m",
// ":"). "0:00" and "0 min" describe a length of 0.
std::optional<std::int32_t> read_length(std::string_view text);

// The seconds of a colon form without surrounding blanks: [[hours:]minutes:]seconds.
// Only the first two characters of the seconds and the first four of the minutes
// and hours count. A leading "-" makes the whole length negative.
std::int32_t parse_colon_delimited(std::string_view text);

// The number written just before the unit word that begins at `position`
// (1-based): the run of non-blank characters ending there, stepping back over
// blanks. 0 when nothing readable stands there.
float number_before(std::string_view text, std::size_t position);

// How the length box and the heading reader read a length: the text is cut to
// 32 characters, A to Z are lowered, and parsetime reads the result.
std::int32_t parse_length_field(std::string_view text);
// As parse_length_field, but nothing when the text describes no length.
std::optional<std::int32_t> read_length_field(std::string_view text);

// Minutes, ":" and two-digit seconds, with a "-" in front of a negative length:
// 0 -> 0:00, 65 -> 1:05, 5400 -> 90:00, -90 -> -1:30.
std::string create_time_string(std::int32_t seconds);

// `seconds` brought within plus or minus longest_length.
std::int32_t clamp_length(std::int64_t seconds);

}  // namespace veltrim
