// Trailing blanks carry no meaning in Veltrim's texts: these helpers measure and
// cut them. A blank is the space character; tabs are text.
#pragma once

#include <cstddef>
#include <string_view>

namespace veltrim {

// Length of `text` without its trailing blanks.
inline std::size_t trimmed_length(std::string_view text) {
  const auto last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? 0 : last + 1;
}

inline std::string_view without_trailing_blanks(std::string_view text) {
  return text.substr(0, trimmed_length(text));
}

inline std::string_view without_leading_blanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

// True when `text` holds nothing but blanks (or nothing at all).
inline bool is_blank(std::string_view text) { return trimmed_length(text) == 0; }

}  // namespace veltrim
