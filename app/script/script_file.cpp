#include "app/script/script_file.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "app/script/blanks.h"
#include "app/script/read_file.h"
#include "app/script/parsetime.h"
#include "app/script/parser.h"

namespace veltrim {
namespace {

constexpr std::string_view line_end = "\r\n";

// A title as a heading line can carry it: on one line, without surrounding blanks.
void append_heading_title(std::string& out, std::string_view title) {
  const std::size_t start = out.size();
  out += without_trailing_blanks(without_leading_blanks(title));
  std::replace_if(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(),
                  [](char c) { return c == '\r' || c == '\n'; }, ' ');
}

// How the lines of a text are written out.
struct Lines_style {
  bool drop_leading_blank_lines = false;
  bool drop_trailing_blank_lines = false;
  bool close_open_fence = false;  // end with a fence line when a fence is left open
};

// Writes the lines of a gemtext text as the reader will find them again: each
// without trailing blanks and ended by CR LF, a link as "=> " and its
// normalised text.
void append_lines(std::string& out, std::string_view text, Lines_style style) {
  Gemtext_scanner scanner(text);
  std::string_view line;
  std::int32_t kind = kind_none;
  std::string link;
  std::size_t pending_blank_lines = 0;
  bool written = false;
  const auto write_pending_blank_lines = [&] {
    for (; pending_blank_lines > 0; --pending_blank_lines) out += line_end;
  };
  while (scanner.next(line, kind)) {
    if (kind == kind_link) {
      normalise_link(line, link);
      line = link;
    }
    line = without_trailing_blanks(line);
    if (line.empty()) {
      ++pending_blank_lines;
      continue;
    }
    if (written || !style.drop_leading_blank_lines) write_pending_blank_lines();
    pending_blank_lines = 0;
    written = true;
    if (kind == kind_link) out += "=> ";
    out += line;
    out += line_end;
  }
  if (!style.drop_trailing_blank_lines) write_pending_blank_lines();
  if (style.close_open_fence && scanner.inside_preformatted()) {
    out += "```";
    out += line_end;
  }
}

}  // namespace

void set_title_and_possibly_length(Segment& segment, std::string& heading) {
  const std::size_t title_start = std::min(heading.find_first_not_of(' ', 1), heading.size());
  const std::size_t end = trimmed_length(heading);
  const std::size_t separator = heading.rfind(" - ");
  const auto title_until = [&](std::size_t stop) {
    return std::string_view(heading).substr(title_start, stop > title_start ? stop - title_start : 0);
  };
  segment.set_length_from_heading(false);
  if (separator == std::string::npos || separator <= title_start) {
    segment.set_title(title_until(end));
    return;
  }
  const std::string_view suffix = std::string_view(heading).substr(separator + 3, end > separator + 3 ? end - separator - 3 : 0);
  const std::int32_t seconds = parse_length_field(suffix);
  segment.set_time_number(seconds);
  if (seconds <= 0 && suffix != create_time_string(seconds)) {
    segment.set_title(title_until(end));
    return;
  }
  segment.set_title(title_until(separator));
  segment.set_length_from_heading(true);
  std::fill(heading.begin() + static_cast<std::ptrdiff_t>(separator), heading.end(), ' ');
}

namespace {

// A line's text after the level correction of an import; `buffer` holds it
// when it changed.
std::string_view corrected(std::string_view line, std::int32_t kind, int level, std::string& buffer) {
  if (kind != kind_text || level < 2 || !is_heading(line)) return line;
  buffer.assign(line);
  correct_heading_level(buffer, level);
  return buffer;
}

bool starts_segment(std::string_view text, std::int32_t kind) { return kind == kind_text && is_level_1_heading(text); }

}  // namespace

Script parse_script(std::string_view data, int level) {
  std::string_view line;
  std::int32_t kind = kind_none;
  std::string buffer;

  // A first pass counts the lines of each segment, so that the second stores
  // them without ever growing a list (a large file has many lines).
  // Lines before the first heading belong to the first segment.
  std::vector<std::size_t> line_counts{0};
  bool heading_seen = false;
  for (Gemtext_scanner scanner(data); scanner.next(line, kind);) {
    if (starts_segment(corrected(line, kind, level, buffer), kind)) {
      if (heading_seen) line_counts.push_back(0);
      heading_seen = true;
    }
    ++line_counts.back();
  }
  std::vector<Segment> segments(line_counts.size());
  for (std::size_t i = 0; i < segments.size(); ++i) segments[i].lines().reserve(line_counts[i] + 1);

  std::size_t current = 0;
  heading_seen = false;
  for (Gemtext_scanner scanner(data); scanner.next(line, kind);) {
    const std::string_view text = corrected(line, kind, level, buffer);
    std::string stored = stored_line_text(text, kind);
    if (starts_segment(text, kind)) {
      if (heading_seen) ++current;
      heading_seen = true;
      set_title_and_possibly_length(segments[current], stored);
    }
    segments[current].lines().emplace_back(std::move(stored), kind);
  }
  segments.back().lines().emplace_back(" ", kind_none);

  Script script;
  for (Segment& segment : segments) script.script_add_segment(std::move(segment));
  return script;
}

Script load_script(std::string_view filename, Load_status& status, int level) {
  const std::string name(without_trailing_blanks(filename));
  std::string data;
  const Read_result read = read_file(name, data);
  if (!read.ok()) {
    status = {read.error == ENOENT ? 1 : read.error, read.reason};
    return {};
  }
  // No text holds a NUL byte; a file that does is a picture, an archive or the
  // like that was given a script's name, and would only show as noise.
  if (data.find('\0') != std::string::npos) {
    status = {EILSEQ, std::string(not_text_reason)};
    return {};
  }
  status = {};
  Script script = parse_script(data, level);
  script.set_filename(name);
  return script;
}

std::string script_text(Script& script) {
  const std::span<Segment> segments = script.segments();
  std::size_t size = 0;
  for (Segment& segment : segments) {
    segment.as_text();  // makes the content of a segment read from a file
    size += segment.preamble().size() + segment.content()->size() + 64;
  }
  std::string out;
  out.reserve(size);
  for (std::size_t i = 0; i < segments.size(); ++i) {
    const Segment& segment = segments[i];
    append_lines(out, segment.preamble(), {});
    const bool titled = segment.title().has_value();
    if (titled) {
      out += "# ";
      append_heading_title(out, *segment.title());
      out += " - ";
      out += segment.get_time_string();
      out += line_end;
      out += line_end;
    }
    append_lines(out, *segment.content(),
                 {.drop_leading_blank_lines = titled, .drop_trailing_blank_lines = true,
                  .close_open_fence = i + 1 < segments.size()});
  }
  return out;
}

Save_result Script::script_save(std::optional<std::string_view> filename) {
  if (filename) set_filename(*filename);
  if (script_is_empty()) return {true, {}};
  if (filename_.empty()) return {false, "the script has no file name"};
  Save_result result = write_file_atomically(std::filesystem::path(filename_), script_text(*this));
  if (result.written) mark_saved();
  return result;
}

}  // namespace veltrim
