#include "app/script/parser.h"

#include <algorithm>
#include <cstring>

#include "app/script/blanks.h"

namespace veltrim {
namespace {

std::size_t find_byte(std::string_view data, std::size_t from, char byte) {
  if (from >= data.size()) return data.size();
  const void* hit = std::memchr(data.data() + from, byte, data.size() - from);
  return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - data.data()) : data.size();
}

bool starts_with_fence(std::string_view line) { return line.starts_with("```"); }

// Lines in `data` with a line end: LFs, and CRs not followed by an LF.
std::size_t count_line_ends(std::string_view data) {
  std::size_t count = static_cast<std::size_t>(std::count(data.begin(), data.end(), '\n'));
  for (std::size_t cr = find_byte(data, 0, '\r'); cr < data.size(); cr = find_byte(data, cr + 1, '\r')) {
    if (cr + 1 == data.size() || data[cr + 1] != '\n') ++count;
  }
  return count;
}

}  // namespace

Gemtext_scanner::Gemtext_scanner(std::string_view data)
    : data_(data), next_cr_(find_byte(data, 0, '\r')), next_lf_(find_byte(data, 0, '\n')) {}

bool Gemtext_scanner::next(std::string_view& line, std::int32_t& kind) {
  if (position_ >= data_.size()) return false;
  if (next_cr_ < position_) next_cr_ = find_byte(data_, position_, '\r');
  if (next_lf_ < position_) next_lf_ = find_byte(data_, position_, '\n');
  const std::size_t end = std::min(next_cr_, next_lf_);
  line = data_.substr(position_, end - position_);
  position_ = end + 1;
  if (end == next_cr_ && end + 1 == next_lf_) ++position_;  // CR LF is one line end
  kind = classify_line(line, preformatted_);
  return true;
}

std::int32_t classify_line(std::string_view line, bool& preformatted) {
  const std::size_t length = trimmed_length(line);
  if (preformatted) {
    if (length >= 3 && starts_with_fence(line)) {
      preformatted = false;
      return kind_toggle;
    }
    return kind_preformatted;
  }
  if (length < 3) return kind_text;
  if (line.starts_with("=>")) return kind_link;
  if (starts_with_fence(line)) {
    preformatted = true;
    return kind_toggle;
  }
  return kind_text;
}

void normalise_link(std::string_view raw, std::string& out) {
  out.assign(raw);
  out[0] = ' ';
  out[1] = ' ';
  std::replace(out.begin(), out.end(), '\t', ' ');
  const auto first = out.find_first_not_of(' ');
  if (first != std::string::npos) std::rotate(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(first), out.end());
}

namespace {

// Appends the classified lines of `data`; returns whether a fence is left open.
bool append_lines(std::string_view data, Line_list& lines) {
  lines.reserve(lines.size() + count_line_ends(data) + 3);
  Gemtext_scanner scanner(data);
  std::string_view line;
  std::int32_t kind = kind_none;
  while (scanner.next(line, kind)) lines.emplace_back(stored_line_text(line, kind), kind);
  return scanner.inside_preformatted();
}

}  // namespace

std::string stored_line_text(std::string_view raw, std::int32_t kind) {
  if (kind == kind_link) {
    std::string text;
    normalise_link(raw, text);
    return text;
  }
  return raw.empty() ? std::string(" ") : std::string(raw);
}

Line_list load_unit(std::string_view data) {
  Line_list lines;
  append_lines(data, lines);
  lines.emplace_back(" ", kind_none);
  return lines;
}

Line_list parse_text(std::string_view text) {
  Line_list lines;
  bool preformatted = append_lines(text, lines);
  // The text is read as if one more line end followed it: a text that ends in
  // a line break (or is empty) yields one more, empty, line.
  if (text.empty() || text.back() == '\n' || text.back() == '\r') {
    lines.emplace_back(" ", classify_line("", preformatted));
  }
  lines.emplace_back(" ", kind_none);
  return lines;
}

std::size_t first_level_1_heading(std::span<const Text_line> lines) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind == kind_text && is_level_1_heading(lines[i].text)) return i;
  }
  return lines.size();
}

std::string to_text(std::span<const Text_line> lines, bool skip_heading) {
  static constexpr std::string_view line_end = "\r\n";
  if (lines.empty()) return std::string(line_end);
  std::size_t start = 0;
  if (skip_heading) {
    const std::size_t heading = first_level_1_heading(lines);
    if (heading < lines.size()) {
      if (heading + 1 == lines.size()) return std::string(line_end);
      start = heading + 1;
      while (start < lines.size() && is_blank(lines[start].text)) ++start;
      start = std::min(start, lines.size() - 1);
    }
  }
  std::size_t size = line_end.size();
  for (std::size_t i = start; i < lines.size(); ++i) size += lines[i].text.size() + 5;
  std::string text;
  text.reserve(size);
  for (std::size_t i = start; i < lines.size(); ++i) {
    if (lines[i].kind == kind_link) text += "=> ";
    text += without_trailing_blanks(lines[i].text);
    text += line_end;
  }
  text += line_end;
  return text;
}

bool is_heading(std::string_view text) {
  const std::size_t length = trimmed_length(text);
  if (length < 2 || text[0] != '#') return false;
  const std::size_t marks = text.find_first_not_of('#');
  return marks < length && text[marks] == ' ' && length > marks + 1;
}

bool is_level_1_heading(std::string_view text) {
  return trimmed_length(text) >= 2 && text[0] == '#' && text[1] != '#';
}

void correct_heading_level(std::string& text, int level) {
  if (level < 2 || trimmed_length(text) <= static_cast<std::size_t>(level) + 3) return;
  if (text[0] == '#') {
    const std::size_t marks = std::min(text.find_first_not_of('#'), text.size());
    const std::size_t blanked = marks <= static_cast<std::size_t>(level) ? marks - 1 : static_cast<std::size_t>(level) - 1;
    std::fill_n(text.begin(), blanked, ' ');
  }
  const auto first = text.find_first_not_of(' ');
  if (first != std::string::npos) std::rotate(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(first), text.end());
}

Start_and_type get_start_position_and_type(std::string_view text) {
  Start_and_type result;
  if (!text.empty() && text[0] == '#') {
    const auto marks = std::min(text.find_first_not_of('#'), text.size());
    result.type = static_cast<int>(marks);
    result.start = static_cast<std::int32_t>(marks) + 1;
  } else {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos || (text[first] != '*' && text[first] != '>')) return result;
    result.type = text[first] == '*' ? type_list_item : type_quotation;
    result.start = static_cast<std::int32_t>(first) + 2;
  }
  const auto limit = static_cast<std::int32_t>(trimmed_length(text)) + 1;
  while (result.start < limit && (text[result.start - 1] == ' ' || text[result.start - 1] == '\t')) ++result.start;
  return result;
}

Link_parts split_link(std::string_view text) {
  const std::string_view url_and_label = without_trailing_blanks(without_leading_blanks(text));
  const auto separator = url_and_label.find_first_of(" \t");
  if (separator == std::string_view::npos) return {url_and_label, url_and_label};
  const auto label_start = url_and_label.find_first_not_of(" \t", separator);
  return {url_and_label.substr(0, separator),
          label_start == std::string_view::npos ? std::string_view{} : url_and_label.substr(label_start)};
}

}  // namespace veltrim
