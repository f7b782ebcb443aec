#include "app/system/prefs.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace veltrim {
namespace {

constexpr std::string_view advance_key = "Advance Seconds";
constexpr std::string_view hold_key = "Hold Seconds";
constexpr std::string_view time_mode_key = "Time Mode";
constexpr std::string_view font_face_key = "Font Face";
constexpr std::string_view font_size_key = "Font Size";
constexpr std::string_view words_per_minute_key = "Words Per Minute";

// Longer lines are cut; no key or value needs more.
constexpr std::size_t longest_line = 2048;

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim_leading_blanks(std::string_view text) {
  auto first = std::find_if_not(text.begin(), text.end(), is_blank);
  return text.substr(static_cast<std::size_t>(first - text.begin()));
}

std::string_view trim_trailing_blanks(std::string_view text) {
  while (!text.empty() && (is_blank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// The record field a key names, or nullptr for a key the file does not use.
std::int32_t* field_for_key(Preferences& preferences, std::string_view key) {
  if (key == advance_key) return &preferences.advance_seconds;
  if (key == hold_key) return &preferences.hold_seconds;
  if (key == time_mode_key) return &preferences.time_mode;
  if (key == font_face_key) return &preferences.font_face;
  if (key == font_size_key) return &preferences.font_size;
  if (key == words_per_minute_key) return &preferences.words_per_minute;
  return nullptr;
}

void apply_line(Preferences& preferences, std::string_view line) {
  line = trim_leading_blanks(line);
  auto equals = line.find('=');
  auto key = trim_trailing_blanks(equals == std::string_view::npos ? std::string_view() : line.substr(0, equals));
  if (auto* field = field_for_key(preferences, key)) {
    *field = load_integer(line, *field);
    return;
  }
  apply_view_preference(preferences.view, key, line);
}

}  // namespace

int unscaled(int size) { return size; }

Preferences initial_preferences(const ScaleToScreen& scale) {
  Preferences preferences;
  preferences.font_size = scale(preferences.font_size);
  return preferences;
}

Preferences load_preferences(const std::filesystem::path& file, const ScaleToScreen& scale) {
  std::ifstream in(file, std::ios::binary);
  return parse_preferences(std::string(std::istreambuf_iterator<char>(in), {}), scale);
}

Preferences parse_preferences(std::string_view text, const ScaleToScreen& scale) {
  auto preferences = initial_preferences(scale);
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    apply_line(preferences, text.substr(0, std::min(end, longest_line)));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return preferences;
}

WriteResult save_preferences(const Preferences& preferences, const std::filesystem::path& file) {
  if (file.empty()) return WriteResult{false, "no settings folder is known (HOME is not set)"};
  return write_file_atomically(file, preferences_text(preferences));
}

std::string preferences_text(const Preferences& preferences) {
  std::string text;
  save_integer(text, advance_key, preferences.advance_seconds);
  save_integer(text, hold_key, preferences.hold_seconds);
  save_integer(text, time_mode_key, preferences.time_mode);
  save_integer(text, font_face_key, preferences.font_face);
  save_integer(text, font_size_key, preferences.font_size);
  save_integer(text, words_per_minute_key, preferences.words_per_minute);
  save_view_preferences(text, preferences.view);
  return text;
}

WriteResult save_user_preferences(const Preferences& preferences, const Environment& environment) {
  ensure_settings_directory(environment);
  const std::filesystem::path file = generate_prefs_filename(environment);
  if (file.empty()) return WriteResult{false, "the settings folder is unknown"};
  return save_preferences(preferences, file);
}

std::optional<std::int32_t> read_free_form_integer(std::string_view text) {
  text = trim_leading_blanks(text);
  auto end = std::find_if(text.begin(), text.end(), [](char c) { return is_blank(c) || c == ',' || c == '/' || c == '\r'; });
  auto number = text.substr(0, static_cast<std::size_t>(end - text.begin()));
  // from_chars takes a minus sign but no plus sign.
  bool plus = number.starts_with('+');
  if (plus) number.remove_prefix(1);
  if (number.empty() || (plus && number.starts_with('-'))) return std::nullopt;
  std::int32_t value = 0;
  auto [stop, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || stop != number.data() + number.size()) return std::nullopt;
  return value;
}

std::int32_t load_integer(std::string_view line, std::int32_t fallback) {
  auto equals = line.find('=');
  if (equals == std::string_view::npos) return fallback;
  return read_free_form_integer(trim_trailing_blanks(line.substr(equals + 1))).value_or(fallback);
}

void save_integer(std::string& out, std::string_view key, std::int32_t value) {
  std::array<char, 16> digits{};
  std::snprintf(digits.data(), digits.size(), "%8d", static_cast<int>(value));
  out.append(trim_trailing_blanks(key));
  out.append(" = ");
  out.append(digits.data());
  out.append("\r\n");
}

std::int32_t effective_font_size(const Preferences& preferences) {
  return std::clamp(preferences.font_size, smallest_font_size, largest_font_size);
}

std::int32_t effective_font_face(const Preferences& preferences) {
  switch (preferences.font_face) {
    case reading_font::sans_serif:
    case reading_font::serif:
    case reading_font::sans_serif_bold:
    case reading_font::serif_bold:
    case reading_font::monospace:
      return preferences.font_face;
    default:
      return reading_font::serif;
  }
}

TimeMode effective_time_mode(const Preferences& preferences) {
  switch (preferences.time_mode) {
    case static_cast<std::int32_t>(TimeMode::unfixed):
      return TimeMode::unfixed;
    case static_cast<std::int32_t>(TimeMode::spread):
      return TimeMode::spread;
    default:
      return TimeMode::next_segment;
  }
}

std::int32_t effective_advance_seconds(const Preferences& preferences) {
  return std::clamp(preferences.advance_seconds, 0, largest_nudge_seconds);
}

std::int32_t effective_hold_seconds(const Preferences& preferences) {
  return std::clamp(preferences.hold_seconds, 0, largest_nudge_seconds);
}

std::int32_t effective_words_per_minute(const Preferences& preferences) {
  return std::clamp(preferences.words_per_minute, slowest_words_per_minute, fastest_words_per_minute);
}

}  // namespace veltrim
