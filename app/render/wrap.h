// Wrapping a line to the renderer's width: recognising a text line's style,
// finding where its pieces end, and where a preformatted line is cut.
//
// Positions are 1-based and inclusive, as the cached breaks of a Text_line
// hold them: text(a:b) is the characters from position a to position b.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "app/render/render.h"

namespace veltrim {

// Width of text(start:stop) in the style; a stop of 0 or less means the end
// without trailing blanks, a start of 0 or less means 1. A range of one
// character or less measures 0.
std::int32_t width_of_line(Renderer& renderer, std::string_view text, std::int32_t start, std::int32_t stop,
                           int type);

// End of the piece that begins at `start`: the rest of the line if it fits;
// otherwise the last blank or "-" that fits (a run of blanks counts as one:
// the piece ends at its last blank); a word wider than the line is cut after
// its first two characters. 0 when max_width is negative.
std::int32_t wrap_line(Renderer& renderer, std::string_view text, std::int32_t start, int type);

// The breaks of a text line: each piece's end, then -1; only -1 for a blank
// line, a style marker with nothing after it, or a negative width. Only the
// first piece of a list item is measured with the list indent.
std::vector<std::int32_t> calculate_wrapping(Renderer& renderer, std::string_view text);

// The single break of a preformatted line: the last position that fits.
// Preformatted lines are cut, never wrapped.
std::vector<std::int32_t> calculate_stop(Renderer& renderer, std::string_view text);

}  // namespace veltrim
