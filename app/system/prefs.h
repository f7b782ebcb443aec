// The user's settings and the file that keeps them.
//
// The file is five lines ending in CR LF, each a key, " = " and a decimal value
// right-aligned in 8 columns:
//
//   Advance Seconds =       30
//   Hold Seconds =       15
//   Time Mode =        1
//   Font Face =        2
//   Font Size =       24
//
// Lines added since follow the five, in the same form, so that the five stay
// as they were and an older reader skips what it does not know:
//
//   Words Per Minute =      130
//
// and the presenting ones of view_prefs.h.
//
// Loading accepts whatever integers the file holds and keeps them in the record
// as they are, so a save writes back what the user wrote. Values are bounded
// where they are used, through the effective_* functions below.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/script/write_file.h"
#include "app/system/platform.h"
#include "app/system/view_prefs.h"

namespace veltrim {

// How time gained or lost during a presentation is balanced.
enum class TimeMode : std::int32_t {
  unfixed = 0,       // the total is not fixed: each segment runs its planned length
  spread = 1,        // the total is fixed: a difference is spread over the remaining segments
  next_segment = 2,  // the total is fixed: a difference goes to the next segment
};

// Library font numbers the reading view offers.
namespace reading_font {
inline constexpr std::int32_t sans_serif = 1;
inline constexpr std::int32_t serif = 2;
inline constexpr std::int32_t sans_serif_bold = 4;
inline constexpr std::int32_t serif_bold = 5;
inline constexpr std::int32_t monospace = 6;
}  // namespace reading_font

// Reading-view font sizes the program draws with, in pixels (the preferences
// panel's Larger and Smaller stay within the same range).
inline constexpr std::int32_t smallest_font_size = 8;
inline constexpr std::int32_t largest_font_size = 128;
// Speaking rates an import's length estimates accept.
inline constexpr std::int32_t slowest_words_per_minute = 60;
inline constexpr std::int32_t fastest_words_per_minute = 300;
inline constexpr std::int32_t default_words_per_minute = 130;

// The time panel's "+" and "-" apply between 0 and this many seconds: the most
// the preferences panel's five-digit boxes show.
inline constexpr std::int32_t largest_nudge_seconds = 99999;

struct Preferences {
  std::int32_t time_mode = static_cast<std::int32_t>(TimeMode::spread);
  // Taken off the current segment by the time panel's "-".
  std::int32_t advance_seconds = 30;
  // Added to the current segment by the time panel's "+".
  std::int32_t hold_seconds = 15;
  std::int32_t font_face = reading_font::serif;
  // Designed for 96 dots per inch; initial_preferences scales it to the screen.
  std::int32_t font_size = 24;
  // The presenter's speaking rate, for the lengths an import estimates.
  std::int32_t words_per_minute = default_words_per_minute;
  // Further lines after the five: full screen, dark and mirrored reading view.
  View_preferences view{};

  bool operator==(const Preferences&) const = default;
};

// Scales a size designed for 96 dots per inch to the screen (korvid::scaledpi once
// the window exists).
using ScaleToScreen = std::function<int(int)>;

// Sizes as designed, for use before there is a screen to ask.
int unscaled(int size);

// The defaults, with the font size scaled to the screen.
Preferences initial_preferences(const ScaleToScreen& scale = unscaled);

// The defaults overlaid with the lines of `file`; a missing or unreadable file
// gives the defaults. Keys are case-sensitive, the last line of a key wins, and a
// value that is not an integer keeps the previous value.
Preferences load_preferences(const std::filesystem::path& file, const ScaleToScreen& scale = unscaled);

// Writes the five lines and those that follow them, replacing `file` atomically. A failure leaves the old
// file as it was and says why.
WriteResult save_preferences(const Preferences& preferences, const std::filesystem::path& file);

// Saves to the user's preferences file, making the settings folder first.
WriteResult save_user_preferences(const Preferences& preferences, const Environment& environment);

// The two halves of load_preferences and save_preferences without the file:
// the defaults overlaid with the lines of a file's text, and the lines a save
// writes.
Preferences parse_preferences(std::string_view text, const ScaleToScreen& scale = unscaled);
std::string preferences_text(const Preferences& preferences);

// Reads one integer as free-form input does: leading blanks are skipped and the
// number ends at a blank, a comma, a slash or the end. Nothing there, anything
// else before that end, or a number beyond 32 bits gives no value.
std::optional<std::int32_t> read_free_form_integer(std::string_view text);

// The value after the first "=" of `line`, or `fallback` when there is no "=" or
// no valid integer after it.
std::int32_t load_integer(std::string_view line, std::int32_t fallback);

// Appends one line of the file: key, " = ", value right-aligned in 8, CR LF. A
// value wider than 8 columns is written in full.
void save_integer(std::string& out, std::string_view key, std::int32_t value);

// The values the program uses. Font size: within smallest_font_size and
// largest_font_size. Font face: an unknown font number means serif. Time mode: a
// number that names no mode gives the whole difference to the next segment, as
// mode 2 does. Advance and hold seconds: within 0 and
// largest_nudge_seconds, so that time arithmetic cannot overflow and "+" never
// takes time away.
std::int32_t effective_font_size(const Preferences& preferences);
std::int32_t effective_font_face(const Preferences& preferences);
TimeMode effective_time_mode(const Preferences& preferences);
std::int32_t effective_advance_seconds(const Preferences& preferences);
std::int32_t effective_hold_seconds(const Preferences& preferences);
// Within slowest_words_per_minute and fastest_words_per_minute.
std::int32_t effective_words_per_minute(const Preferences& preferences);

}  // namespace veltrim
