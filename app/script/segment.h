// A segment: one titled, timed section of a script, with the gemtext body the
// presenter reads out and that body parsed into lines for layout and drawing.
//
// The body is kept in two forms brought together lazily: the content text (what
// the editor shows and the file stores) and the lines (what is drawn). Setting
// the content reparses at once; a segment read from a file starts with lines
// only, and its content is made from them the first time it is asked for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/script/text_line.h"

namespace veltrim {

inline constexpr std::int32_t default_length = 60;

class Segment {
 public:
  // No title, 60 seconds, no content, no lines.
  Segment() = default;
  // Titled "New Segment", 60 seconds, no content, no lines.
  [[nodiscard]] static Segment empty();

  const std::optional<std::string>& title() const { return title_; }
  std::int32_t time() const { return time_; }
  const std::optional<std::string>& content() const { return content_; }
  const Line_list& lines() const { return lines_; }
  Line_list& lines() { return lines_; }

  // Lines that stood before the segment's heading in its file (the first
  // segment of a file that does not begin with a heading), as gemtext with
  // CR LF line ends. They are drawn before the heading and written before it.
  const std::string& preamble() const { return preamble_; }

  // True when the segment's length was read from its heading by load_script;
  // a segment whose heading had none keeps the default length.
  bool length_from_heading() const { return length_from_heading_; }
  void set_length_from_heading(bool value) { length_from_heading_ = value; }

  // Stores the title without trailing blanks, or no title.
  void set_title(std::optional<std::string_view> text);

  // Stores the body without trailing blanks (line breaks at its end stay), or
  // no content; then rebuilds the lines.
  void set_content(std::optional<std::string_view> text);

  // Sets the length in seconds, kept within plus or minus longest_length.
  void set_time_number(std::int32_t seconds);
  // Sets the length from typed text ("1:30", "2 MIN 30 SEC"); text that is not
  // a length sets 0.
  void set_time_string(std::string_view text);
  // The length as a script file writes it ("1:30", "-0:45").
  std::string get_time_string() const;

  // Rebuilds the lines from the content: a titled segment's lines begin with
  // a level-1 heading (the content's own first line, or one made from the
  // title and followed by a blank line) and never end in a blank line.
  void reparse();
  // Reparses when the segment has content.
  void update_segment();

  // Makes the next layout wrap every line afresh (after a change of font).
  void invalidate_segment_layout();
  // Scrolling is the renderer's; a segment has nothing to do.
  void scroll_to_percent() {}

  // The body text, made from the lines the first time and kept. With the
  // heading, a titled segment's text begins with "# title - length", CR LF, CR LF.
  std::string as_text(bool with_heading = false);

  // Words of the body as the presenter reads it: the heading, fence lines and
  // link targets with a label are not counted.
  std::size_t body_word_count() const;

 private:
  std::optional<std::string> title_;
  std::int32_t time_ = default_length;
  std::optional<std::string> content_;
  Line_list lines_;
  std::string preamble_;
  bool length_from_heading_ = false;
};

// Words in `text`: runs of characters other than blanks, tabs and line ends.
std::size_t count_words(std::string_view text);

}  // namespace veltrim
