// The text work behind the file dialogs and the clipboard: plain functions on
// strings, kept apart from Qt so they are easy to reason about.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvid::detail {

// Callers' descriptions, patterns and titles are cut to this many bytes.
inline constexpr std::size_t max_dialog_argument = 64;
// A pattern standing in for a missing description is cut to this many bytes.
inline constexpr std::size_t max_pattern_as_description = 32;

// The longest start of `text` of at most `max_bytes` bytes that does not end
// inside a UTF-8 character.
std::string_view utf8_prefix(std::string_view text, std::size_t max_bytes);

// The name filters a file dialog offers, in order: the caller's pattern (when
// there is one) as "description (patterns)", then "All Files (*)". Without a
// description the pattern describes itself followed by "files" ("*.gmifiles").
std::vector<std::string> file_filters(std::string_view description, std::string_view pattern);

// The one extension `pattern` names ("gmi" for "*.gmi"), or empty when it names
// none, several, or a wildcard one.
std::string single_extension(std::string_view pattern);

// `path` with ".extension" added when its file name has no extension of its own.
std::string with_default_extension(std::string path, std::string_view extension);

}  // namespace korvid::detail
