// The layout pass: walks a segment's lines, wraps each once (the breaks are
// cached in the line), and places and draws every piece by moving the
// renderer's vertical cursor down by its height.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "app/render/render.h"
#include "app/script/segment.h"
#include "app/script/text_line.h"

namespace veltrim {

// Lays out and draws the lines on the renderer, between its prepare_for_layout
// and layout_complete. A line is wrapped again only when it has no breaks or
// they were made for another max_width; a change of font needs
// clear_line_breaks. End records and fence lines take no space.
void layout_lines(std::span<Text_line> lines, Renderer& renderer);

// Lays out and draws a segment's lines on the renderer.
void layout_segment(Segment& segment, Renderer& renderer);

// Places a text line piece by piece along its breaks; a blank line takes the
// height of one blank.
void render_proportional(Renderer& renderer, std::string_view text, const std::vector<std::int32_t>& breaks);

// Places a preformatted line cut after position `stop` (its trimmed length
// when negative).
void render_preformatted(Renderer& renderer, std::string_view text, std::int32_t stop = -1);

// Places a link line: its label (or the URL when it has none) linking to the URL.
void render_link(Renderer& renderer, std::string_view text);

}  // namespace veltrim
