// One gemtext line as it goes through parsing, wrapping and drawing, and the
// sequence of lines a segment owns.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace veltrim {

// What the parser made of a line. Headings, list items and quotations are text
// lines; their style is read from the text when they are wrapped and drawn.
enum Line_kind : std::int32_t {
  kind_none = 0,           // the end record closing every parsed list; never drawn
  kind_text = 1,           // ordinary text, headings, list items, quotations, blank lines
  kind_preformatted = 2,   // a line between an opening and a closing fence
  kind_link = 3,           // a link: target, then after blanks an optional label
  kind_toggle = 99,        // a fence line, opening or closing; never drawn
};

// The style of a text line, read from its text: a heading of level n is n.
inline constexpr int type_plain = 0;
inline constexpr int type_list_item = -1;
inline constexpr int type_quotation = -2;

struct Text_line {
  Text_line() = default;
  Text_line(std::string line_text, std::int32_t line_kind) : text(std::move(line_text)), kind(line_kind) {}

  // The line's bytes; trailing blanks may stay and are ignored by every reader.
  // A link's "=>" is already gone and the target left-adjusted.
  std::string text;
  std::int32_t kind = kind_none;

  // The cached wrapping, empty until the line is laid out. A text line holds
  // the end position (1-based, inclusive) of each wrapped piece and then -1;
  // a preformatted line holds one entry, the last position that is drawn.
  std::vector<std::int32_t> breaks;
  // The width the breaks were computed for; a pass at another width redoes them.
  std::int32_t breaks_width = 0;

  bool has_breaks() const { return !breaks.empty(); }
  // Forgets the cached wrapping, so that the next layout pass wraps afresh.
  void invalidate_breaks() { breaks.clear(); }
};

using Line_list = std::vector<Text_line>;

// Forgets the cached wrapping of every line (after a change of font).
void clear_line_breaks(std::span<Text_line> lines);

}  // namespace veltrim
