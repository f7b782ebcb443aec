#include "app/render/layout.h"

#include <algorithm>

#include "app/script/blanks.h"
#include "app/render/wrap.h"
#include "app/script/parser.h"

namespace veltrim {
namespace {

std::int32_t skip_blanks(std::string_view text, std::int32_t position) {
  const auto size = static_cast<std::int32_t>(text.size());
  while (position <= size && text[position - 1] == ' ') ++position;
  return position;
}

void ensure_breaks(Renderer& renderer, Text_line& line) {
  if (line.has_breaks() && line.breaks_width == renderer.max_width) return;
  line.breaks = line.kind == kind_text ? calculate_wrapping(renderer, line.text) : calculate_stop(renderer, line.text);
  line.breaks_width = renderer.max_width;
}

}  // namespace

void render_proportional(Renderer& renderer, std::string_view text, const std::vector<std::int32_t>& breaks) {
  const auto length = static_cast<std::int32_t>(trimmed_length(text));
  if (length == 0) {
    if (renderer.text_visible(" ")) renderer.text_draw("", type_plain);
    renderer.y += renderer.text_height(" ", type_plain);
    return;
  }
  auto [start, type] = get_start_position_and_type(text);
  const auto end_of = [&](std::size_t k) { return k < breaks.size() && breaks[k] != -1 ? breaks[k] : length; };
  std::int32_t stop = end_of(0);
  for (std::size_t k = 0; start <= stop;) {
    const std::string_view piece = text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(stop - start + 1));
    if (renderer.text_visible(piece)) renderer.text_draw(piece, type);
    renderer.y += renderer.text_height(piece, type);
    start = skip_blanks(text, stop + 1);
    if (type == type_list_item) type = type_plain;  // the marker and indent go with the first piece only
    if (k >= breaks.size() || breaks[k] == -1) break;
    stop = end_of(++k);
  }
}

void render_preformatted(Renderer& renderer, std::string_view text, std::int32_t stop) {
  const std::size_t n = stop < 0 ? trimmed_length(text) : std::min(static_cast<std::size_t>(stop), text.size());
  const std::string_view shown = text.substr(0, n);
  if (renderer.preformatted_visible(text)) renderer.preformatted_draw(shown);
  renderer.y += renderer.preformatted_height(shown);
}

void render_link(Renderer& renderer, std::string_view text) {
  const auto [url, label] = split_link(text);
  if (renderer.link_visible(label)) renderer.link_draw(label, url);
  renderer.y += renderer.link_height(label);
}

void layout_lines(std::span<Text_line> lines, Renderer& renderer) {
  renderer.prepare_for_layout();
  for (Text_line& line : lines) {
    switch (line.kind) {
      case kind_text:
        ensure_breaks(renderer, line);
        render_proportional(renderer, line.text, line.breaks);
        break;
      case kind_preformatted:
        ensure_breaks(renderer, line);
        render_preformatted(renderer, line.text, line.breaks.front());
        break;
      case kind_link:
        render_link(renderer, line.text);
        break;
      default:
        break;
    }
  }
  renderer.layout_complete();
}

void layout_segment(Segment& segment, Renderer& renderer) { layout_lines(segment.lines(), renderer); }

}  // namespace veltrim
