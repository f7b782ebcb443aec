#include "app/script/segment.h"

#include "app/script/blanks.h"
#include "app/script/parsetime.h"
#include "app/script/parser.h"

namespace veltrim {
namespace {

// The width of the length field a segment writes.
constexpr std::size_t time_string_width = 8;

bool is_word_separator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

Segment Segment::empty() {
  Segment segment;
  segment.title_ = "New Segment";
  return segment;
}

void Segment::set_title(std::optional<std::string_view> text) {
  title_.reset();
  if (text) title_ = std::string(without_trailing_blanks(*text));
}

void Segment::set_content(std::optional<std::string_view> text) {
  content_.reset();
  if (text) content_ = std::string(without_trailing_blanks(*text));
  reparse();
}

void Segment::set_time_number(std::int32_t seconds) { time_ = clamp_length(seconds); }

void Segment::set_time_string(std::string_view text) { set_time_number(parse_length_field(text)); }

std::string Segment::get_time_string() const { return create_time_string(time_).substr(0, time_string_width); }

void Segment::reparse() {
  lines_.clear();
  if (!content_) return;
  Line_list body = parse_text(*content_);
  if (!preamble_.empty()) {
    lines_ = load_unit(preamble_);
    lines_.pop_back();  // its end record
  }
  if (!is_level_1_heading(body.front().text) && title_) {
    lines_.emplace_back("# " + *title_, kind_text);
    lines_.emplace_back(" ", kind_text);
  }
  lines_.reserve(lines_.size() + body.size());
  for (Text_line& line : body) lines_.push_back(std::move(line));
  while (lines_.size() > 1 && is_blank(lines_.back().text)) lines_.pop_back();
}

void Segment::update_segment() {
  if (content_) reparse();
}

void Segment::invalidate_segment_layout() { clear_line_breaks(lines_); }

std::string Segment::as_text(bool with_heading) {
  if (!content_) {
    content_ = to_text(lines_, true);
    // What stands before the heading is not part of the body, but it is the
    // segment's: keep it, so that it is drawn and written before the heading.
    const std::size_t heading = first_level_1_heading(lines_);
    if (heading < lines_.size()) {
      preamble_ = to_text(std::span<const Text_line>(lines_).first(heading));
      preamble_.resize(preamble_.size() - 2);  // to_text's closing line end
    }
  }
  if (!with_heading || !title_) return *content_;
  std::string text = "# ";
  text += without_trailing_blanks(*title_);
  text += " - ";
  text += get_time_string();
  text += "\r\n\r\n";
  text += *content_;
  return text;
}

std::size_t Segment::body_word_count() const {
  std::span<const Text_line> body(lines_);
  if (const std::size_t heading = first_level_1_heading(body); heading < body.size()) body = body.subspan(heading + 1);
  std::size_t words = 0;
  for (const Text_line& line : body) {
    switch (line.kind) {
      case kind_text:
        words += count_words(std::string_view(line.text).substr(get_start_position_and_type(line.text).start - 1));
        break;
      case kind_preformatted:
        words += count_words(line.text);
        break;
      case kind_link:
        words += count_words(split_link(line.text).label);
        break;
      default:
        break;
    }
  }
  return words;
}

std::size_t count_words(std::string_view text) {
  std::size_t words = 0;
  bool in_word = false;
  for (const char c : text) {
    const bool separator = is_word_separator(c);
    if (!separator && !in_word) ++words;
    in_word = !separator;
  }
  return words;
}

}  // namespace veltrim
