#include "app/script/parsetime.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

namespace veltrim {
namespace {

constexpr std::int64_t int32_min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t int32_max = std::numeric_limits<std::int32_t>::max();

std::int32_t saturate(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp(value, int32_min, int32_max));
}

// Whole seconds of a real count, truncated toward zero; non-finite is 0.
std::int64_t truncate_seconds(float value) {
  if (!std::isfinite(value)) return 0;
  constexpr float limit = 4.0e18f;
  return static_cast<std::int64_t>(std::clamp(value, -limit, limit));
}

std::string_view trim_blanks(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Free-form reading of one value: leading blanks are skipped and reading stops
// at a blank, a comma or a slash. Empty or unreadable text yields nothing.
std::string_view free_form_token(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  s.remove_prefix(first);
  return s.substr(0, s.find_first_of(" ,/"));
}

std::optional<std::int64_t> read_whole_number(std::string_view s) {
  s = free_form_token(s);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return std::nullopt;
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (error != std::errc{} || end != s.data() + s.size()) return std::nullopt;
  if (value < int32_min || value > int32_max) return std::nullopt;
  return value;
}

// Digits with an optional point and an optional exponent (e or d), as a
// person or a Fortran program writes a real number.
std::optional<float> read_real_number(std::string_view s) {
  s = free_form_token(s);
  std::string text(s);
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && is_digit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && is_digit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    text[i++] = 'e';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t exponent_start = i;
    while (i < text.size() && is_digit(text[i])) ++i;
    if (i == exponent_start) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  const float value = std::strtof(text.c_str(), nullptr);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

// A field of a colon form: a signed whole number, nothing when empty or unreadable.
std::optional<std::int64_t> field_value(std::string_view field, std::size_t width) {
  return read_whole_number(field.substr(0, width));
}

// Position (0-based) of the character that is a seconds "s": the first "s",
// or, when that one ends a word such as "mins", the next one, looked for once.
std::optional<std::size_t> seconds_letter(std::string_view text) {
  const auto is_unit_start = [&](std::size_t q) {
    const char before = text[q - 1];
    return before == ' ' || is_digit(before);
  };
  const auto q = text.find('s');
  if (q == std::string_view::npos || q == 0) return std::nullopt;
  if (is_unit_start(q)) return q;
  const auto next = text.find('s', q + 1);
  if (next != std::string_view::npos && is_unit_start(next)) return next;
  return std::nullopt;
}

// The number standing just before the 0-based position, nothing when none does.
std::optional<float> read_number_before(std::string_view text, std::size_t position) {
  std::size_t end = std::min(position, text.size());  // one past the run
  while (end > 0 && text[end - 1] == ' ') --end;
  if (end == 0) return std::nullopt;
  const auto blank = text.rfind(' ', end - 1);
  const std::size_t start = blank == std::string_view::npos ? 0 : blank + 1;
  const std::string_view run = text.substr(start, end - start);
  if (run.find('.') != std::string_view::npos) return read_real_number(run);
  const auto whole = read_whole_number(run);
  if (!whole) return std::nullopt;
  return static_cast<float>(*whole);
}

// The seconds of a colon form, nothing when not one of its fields reads as a number.
std::optional<std::int32_t> read_colon_delimited(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  const auto first_colon = text.find(':');
  if (first_colon == std::string_view::npos) return std::nullopt;
  const auto last_colon = text.rfind(':');

  std::size_t seconds_end = text.size();
  if (const auto dot = text.rfind('.'); dot != std::string_view::npos) seconds_end = dot;
  const std::string_view seconds_field =
      seconds_end > last_colon + 1 ? text.substr(last_colon + 1, seconds_end - last_colon - 1) : std::string_view{};

  std::optional<std::int64_t> hours;
  std::string_view minutes_field = text.substr(0, first_colon);
  if (last_colon != first_colon) {
    hours = field_value(text.substr(0, first_colon), 4);
    minutes_field = text.substr(first_colon + 1, last_colon - first_colon - 1);
  }
  const auto minutes = field_value(minutes_field, 4);
  const auto seconds = field_value(seconds_field, 2);
  if (!hours && !minutes && !seconds) return std::nullopt;
  const std::int64_t total = hours.value_or(0) * 3600 + minutes.value_or(0) * 60 + seconds.value_or(0);
  return saturate(negative ? -total : total);
}

}  // namespace

float number_before(std::string_view text, std::size_t position) {
  if (position < 2) return 0;
  return read_number_before(text, position - 1).value_or(0.0f);
}

std::int32_t parse_colon_delimited(std::string_view text) { return read_colon_delimited(text).value_or(0); }

std::int32_t parsetime(std::string_view text) { return read_length(text).value_or(0); }

std::optional<std::int32_t> read_length(std::string_view text) {
  if (text.find(':') != std::string_view::npos) return read_colon_delimited(trim_blanks(text));

  std::optional<std::int64_t> minutes;
  if (const auto p = text.find('m'); p != std::string_view::npos) {
    if (const auto count = read_number_before(text, p)) minutes = truncate_seconds(*count * 60.0f);
  }
  std::optional<std::size_t> q;
  if (const auto sec = text.find("sec"); sec != std::string_view::npos) {
    q = sec;
  } else {
    q = seconds_letter(text);
  }
  std::optional<float> seconds;
  if (q) seconds = read_number_before(text, *q);
  if (!minutes && !seconds) return std::nullopt;
  return saturate(minutes.value_or(0) + (seconds ? truncate_seconds(*seconds) : 0));
}

std::int32_t parse_length_field(std::string_view text) { return read_length_field(text).value_or(0); }

std::optional<std::int32_t> read_length_field(std::string_view text) {
  std::string field(text.substr(0, length_field_width));
  for (char& c : field) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return read_length(field);
}

std::string create_time_string(std::int32_t seconds) {
  const std::int64_t value = seconds;
  const std::int64_t magnitude = value < 0 ? -value : value;
  const std::int64_t rest = magnitude % 60;
  std::string text = value < 0 ? "-" : "";
  text += std::to_string(magnitude / 60);
  text += ':';
  text += static_cast<char>('0' + rest / 10);
  text += static_cast<char>('0' + rest % 10);
  return text;
}

std::int32_t clamp_length(std::int64_t seconds) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(seconds, -longest_length, longest_length));
}

}  // namespace veltrim
