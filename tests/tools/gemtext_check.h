// Checks on converter output shared by the tools tests: well-formed gemtext as
// the program reads it, and the program's reading of a segment heading, so a
// test can show what Veltrim will make of a heading.
#pragma once

#include <cctype>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace gemtext_check {

// Processor time of the whole process in seconds: unlike the wall clock it does
// not grow when other jobs load the machine, so a time limit in a test catches a
// runaway (quadratic) conversion without failing on a busy CI machine.
inline double cpu_seconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// How much slower the sanitizer builds run; limits are multiplied by it.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr double slowdown = 10.0;
#else
inline constexpr double slowdown = 1.0;
#endif

inline bool valid_utf8(std::string_view s) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const std::size_t n = s.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned c = p[i];
    std::size_t len = c < 0x80 ? 1 : c >= 0xC2 && c < 0xE0 ? 2 : c >= 0xE0 && c < 0xF0 ? 3 : c >= 0xF0 && c < 0xF5 ? 4 : 0;
    if (len == 0 || i + len > n) return false;
    for (std::size_t k = 1; k < len; ++k)
      if ((p[i + k] & 0xC0) != 0x80) return false;
    if (c == 0xE0 && p[i + 1] < 0xA0) return false;
    if (c == 0xED && p[i + 1] >= 0xA0) return false;
    if (c == 0xF0 && p[i + 1] < 0x90) return false;
    if (c == 0xF4 && p[i + 1] >= 0x90) return false;
    i += len;
  }
  return true;
}

// The lines of a CR LF text; false when a CR or LF stands alone, a line holds a
// control character other than TAB, or the text does not end in CR LF.
inline bool split_lines(std::string_view text, std::vector<std::string_view>& lines) {
  lines.clear();
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\r') {
      if (i + 1 >= text.size() || text[i + 1] != '\n') return false;
      lines.push_back(text.substr(start, i - start));
      start = i + 2;
      ++i;
      continue;
    }
    if (c == '\n' || (c < 0x20 && c != '\t') || c == 0x7F) return false;
  }
  return start == text.size();
}

// Valid UTF-8, CR LF line ends only, no control characters but TAB, and every
// preformatted block closed (fences counted as the program's parser does).
inline bool well_formed(std::string_view text) {
  if (!valid_utf8(text)) return false;
  std::vector<std::string_view> lines;
  if (!split_lines(text, lines)) return false;
  bool pre = false;
  for (std::string_view line : lines) {
    std::string_view trimmed = line;
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.remove_suffix(1);
    if (trimmed.size() >= 3 && line.starts_with("```")) pre = !pre;
  }
  return !pre;
}

// The program's reading of a colon length (the only form the converters write).
inline int parse_colon_delimited(std::string_view text) {
  const auto number = [](std::string_view field, std::size_t keep) {
    field = field.substr(0, keep);
    std::string s(field);
    char* end = nullptr;
    const long v = std::strtol(s.c_str(), &end, 10);
    while (end && *end == ' ') ++end;
    return end && *end == '\0' && end != s.c_str() ? static_cast<int>(v) : 0;
  };
  const std::size_t first = text.find(':');
  const std::size_t last = text.rfind(':');
  std::string_view seconds = text.substr(last + 1);
  if (text.find('.') != std::string_view::npos) {
    const std::size_t dot = seconds.rfind('.');
    if (dot != std::string_view::npos) seconds = seconds.substr(0, dot);
  }
  int hours = 0;
  std::string_view minutes = text.substr(0, first);
  if (first != last) {
    hours = number(text.substr(0, first), 4);
    minutes = text.substr(first + 1, last - first - 1);
  }
  return hours * 3600 + number(minutes, 4) * 60 + number(seconds, 2);
}

struct Heading {
  std::string title;
  int seconds = 60;  // the default when no length is read
};

// The program's split of a level-1 heading into title and length; only the
// colon form of a length is understood here (what slidetext writes).
inline Heading read_heading(std::string_view line) {
  Heading h;
  std::size_t title_start = 1;
  while (title_start < line.size() && line[title_start] == ' ') ++title_start;
  std::string_view whole = line.substr(title_start);
  while (!whole.empty() && whole.back() == ' ') whole.remove_suffix(1);
  const std::size_t sep = line.rfind(" - ");
  if (sep == std::string_view::npos || sep < title_start) {
    h.title = std::string(whole);
    return h;
  }
  std::string_view suffix = line.substr(sep + 3);
  while (!suffix.empty() && suffix.back() == ' ') suffix.remove_suffix(1);
  std::string field(suffix.substr(0, 32));
  for (char& c : field) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  int value = 0;
  if (field.find(':') != std::string::npos) {
    std::size_t b = field.find_first_not_of(' ');
    value = parse_colon_delimited(b == std::string::npos ? std::string_view() : std::string_view(field).substr(b));
  }
  h.seconds = value;
  if (value > 0)
    h.title = std::string(line.substr(title_start, sep - title_start));
  else
    h.title = std::string(whole);
  return h;
}

// The level-1 headings of a gemtext text (outside preformatted blocks).
inline std::vector<Heading> segments(std::string_view text) {
  std::vector<Heading> out;
  std::vector<std::string_view> lines;
  if (!split_lines(text, lines)) return out;
  bool pre = false;
  for (std::string_view line : lines) {
    if (line.starts_with("```")) {
      pre = !pre;
      continue;
    }
    if (!pre && line.size() >= 2 && line[0] == '#' && line[1] != '#') out.push_back(read_heading(line));
  }
  return out;
}

}  // namespace gemtext_check
