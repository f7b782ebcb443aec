#include "app/render/wrap.h"

#include <algorithm>

#include "app/script/blanks.h"
#include "app/script/parser.h"

namespace veltrim {
namespace {

// Measuring goes through the renderer and costs time in proportion to the
// text, while a line can be very long (a whole paragraph, or a hostile file).
// Widths grow with the text, so a long range is first tried on prefixes that
// grow fourfold from this length: one that is already too wide settles it.
constexpr std::int64_t first_probe = 256;

std::int32_t length_of(std::string_view text) { return static_cast<std::int32_t>(trimmed_length(text)); }

std::string_view range(std::string_view text, std::int32_t start, std::int32_t stop) {
  return text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(stop - start + 1));
}

bool too_wide(Renderer& renderer, std::string_view text, std::int32_t start, std::int32_t stop, int type) {
  for (std::int64_t probe = first_probe; start + probe - 1 < stop; probe *= 4) {
    const auto probe_stop = static_cast<std::int32_t>(start + probe - 1);
    if (width_of_line(renderer, text, start, probe_stop, type) > renderer.max_width) return true;
  }
  return width_of_line(renderer, text, start, stop, type) > renderer.max_width;
}

bool is_break_character(char c) { return c == ' ' || c == '-'; }

}  // namespace

std::int32_t width_of_line(Renderer& renderer, std::string_view text, std::int32_t start, std::int32_t stop,
                           int type) {
  if (stop <= 0) stop = length_of(text);
  if (start <= 0) start = 1;
  if (start >= stop) return 0;
  return renderer.text_width(range(text, start, stop), type);
}

std::int32_t wrap_line(Renderer& renderer, std::string_view text, std::int32_t start, int type) {
  const std::int32_t s = std::max(start, 1);
  const std::int32_t length = length_of(text);
  if (!too_wide(renderer, text, s, length, type)) return length;
  if (renderer.max_width < 0) return 0;
  std::int32_t fitting_end = s + 1;
  if (s + 1 >= length) return s + 1;

  std::int32_t from = s + 2;
  while (from <= length) {
    // The next candidate: a blank, a "-", or the end. The search looks ahead
    // in growing windows and gives up once the text before it is too wide.
    std::int32_t candidate = 0;
    for (std::int64_t window = first_probe; candidate == 0; window *= 4) {
      const auto limit = static_cast<std::int32_t>(std::min<std::int64_t>(length, from + window - 1));
      const auto hit = std::find_if(text.begin() + from - 1, text.begin() + limit, is_break_character);
      if (hit != text.begin() + limit) {
        candidate = static_cast<std::int32_t>(hit - text.begin()) + 1;
      } else if (limit == length) {
        candidate = length;
      } else if (too_wide(renderer, text, s, limit, type)) {
        return fitting_end;
      } else {
        from = limit + 1;
      }
    }
    if (too_wide(renderer, text, s, candidate, type)) return fitting_end;
    // A run of blanks is one candidate: trailing blanks add no width, so when
    // its first blank fits, its last does too. Measuring at every blank would
    // make a line with a long run of blanks cost the square of its length.
    fitting_end = candidate;
    while (fitting_end < length && text[static_cast<std::size_t>(fitting_end)] == ' ') ++fitting_end;
    from = fitting_end + 1;
  }
  return length;
}

std::vector<std::int32_t> calculate_wrapping(Renderer& renderer, std::string_view text) {
  // Every piece's wrap_line looks for the end of the text without its trailing
  // blanks: cut them once here, or a long run of them is read again per piece.
  text = without_trailing_blanks(text);
  if (length_of(text) < 1) return {-1};
  auto [start, type] = get_start_position_and_type(text);
  std::int32_t end = wrap_line(renderer, text, start, type);
  if (end < start) return {-1};
  std::vector<std::int32_t> breaks;
  const auto size = static_cast<std::int32_t>(text.size());
  while (start <= end) {
    breaks.push_back(end);
    start = end + 1;
    while (start <= size && text[start - 1] == ' ') ++start;
    if (type == type_list_item) type = type_plain;
    end = wrap_line(renderer, text, start, type);
  }
  breaks.push_back(-1);
  return breaks;
}

std::vector<std::int32_t> calculate_stop(Renderer& renderer, std::string_view text) {
  const std::int32_t length = length_of(text);
  if (length == 0) return {0};
  const auto fits = [&](std::int32_t n) { return renderer.preformatted_width(range(text, 1, n)) <= renderer.max_width; };
  // The last position that fits, searched from short prefixes upward, then
  // narrowed down between the last prefix that fits and the first that does not.
  std::int32_t fitting = 0;
  std::int32_t too_long = 0;
  for (std::int64_t probe = first_probe / 4; too_long == 0; probe *= 2) {
    const auto n = static_cast<std::int32_t>(std::min<std::int64_t>(probe, length));
    if (n > 0 && fits(n)) {
      fitting = n;
      if (n == length) return {length};
    } else {
      too_long = n;
    }
  }
  while (too_long - fitting > 1) {
    const std::int32_t middle = fitting + (too_long - fitting) / 2;
    (fits(middle) ? fitting : too_long) = middle;
  }
  return {fitting};
}

}  // namespace veltrim
