// Making text into one gemtext line, the same way in both converters.
#pragma once

#include <string>
#include <string_view>

namespace tools {

// Every line the converters write ends so, whatever the input used.
inline constexpr std::string_view crlf = "\r\n";

// Appends the text as one line: control characters (TAB and line ends
// included) become blanks, runs of blanks become one, and the ends are trimmed.
void append_normalized(std::string& out, std::string_view text);
std::string normalize_inline(std::string_view text);

// True when a plain text line would read as a gemtext marker: "#" would open a
// segment, "=>" make a link, "```" open a preformatted block. Such a line is
// written with one leading blank.
bool reads_as_marker(std::string_view line);

}  // namespace tools
