// Gemtext lines: the one reader of gemtext in the program, its writer, and the
// heading tests that decide where segments begin.
//
// A line ends at LF, CR, or CR LF. Link lines ("=>") and fence lines ("```")
// are told apart from text; inside a fence every line is preformatted. A marker
// counts only in the first column.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "app/script/text_line.h"

namespace veltrim {

// Walks gemtext line by line without copying it, classifying each line.
class Gemtext_scanner {
 public:
  explicit Gemtext_scanner(std::string_view data);

  // Gives the next line (without its line end) and its kind; false when the
  // input is exhausted. A last line without a line end is an ordinary line.
  bool next(std::string_view& line, std::int32_t& kind);

  // True while the lines read so far leave a fence open.
  bool inside_preformatted() const { return preformatted_; }

 private:
  std::string_view data_;
  std::size_t position_ = 0;
  std::size_t next_cr_ = 0;  // position of the next CR at or after position_, or size
  std::size_t next_lf_ = 0;
  bool preformatted_ = false;
};

// The kind of one line outside or inside a fence; updates `preformatted`.
std::int32_t classify_line(std::string_view line, bool& preformatted);

// The text a line is stored with: a link normalised (below), an empty line as
// one blank, anything else as it is.
std::string stored_line_text(std::string_view raw, std::int32_t kind);

// A link line as stored: "=>" becomes two blanks, every tab a blank, and the
// leading blanks move to the end, so the text begins with the target.
void normalise_link(std::string_view raw, std::string& out);

// The lines of a whole file's bytes: every line classified, then a closing end
// record (kind_none) holding a single blank. An empty line is stored as one blank.
Line_list load_unit(std::string_view data);

// The lines of a text held in memory, read as if it were followed by one more
// line end: "a\r\nb" gives a, b; "a\r\nb\r\n" gives a, b and an empty line;
// both then the end record.
Line_list parse_text(std::string_view text);

// Gemtext of the lines: "=> " before a link, each line without trailing blanks
// and with CR LF, then one more CR LF. With skip_heading the first level-1
// heading, everything before it and the blank lines right after it are left out.
std::string to_text(std::span<const Text_line> lines, bool skip_heading = false);

// Index of the first text line that is a level-1 heading, or lines.size().
std::size_t first_level_1_heading(std::span<const Text_line> lines);

// "#", "##" ... then a blank, then some text.
bool is_heading(std::string_view text);
// "#" followed by anything but a second "#"; no blank needed.
bool is_level_1_heading(std::string_view text);

// Lowers a heading so that headings of `level` become level 1 (used when a
// converted document marks its sections with deeper headings). Headings up to
// `level` become level 1, deeper ones rise by level - 1; the text keeps its
// length. Short headings (trimmed length up to level + 3) stay as they are.
void correct_heading_level(std::string& text, int level);

struct Start_and_type {
  std::int32_t start = 1;  // first position of the visible content
  int type = type_plain;
};

// "#"s make a heading of their count; a first non-blank "*" a list item, ">" a
// quotation; the start then skips blanks and tabs. Plain text starts at 1,
// leading blanks included.
Start_and_type get_start_position_and_type(std::string_view text);

// A link line's target and the label it shows: the words after the target, or
// the target itself when there are none.
struct Link_parts {
  std::string_view url;
  std::string_view label;
};
Link_parts split_link(std::string_view text);

}  // namespace veltrim
