#include "app/panels/editor_writeback.h"

#include "app/panels/editor_panel.h"
#include "app/panels/typed_value_refusal.h"
#include "app/script/blanks.h"
#include "app/script/parsetime.h"
#include "korvid/korvid.h"

namespace veltrim {
namespace {

constexpr std::size_t length_box_width = 8;

// The length the box describes, as a segment keeps it.
std::optional<std::int32_t> typed_length(std::string_view text) {
  const auto seconds = read_length_field(text);
  if (!seconds) return std::nullopt;
  return clamp_length(*seconds);
}

}  // namespace

std::string length_box_text(std::int32_t seconds) {
  std::string text = create_time_string(seconds);
  if (text.size() < length_box_width) text.insert(0, length_box_width - text.size(), ' ');
  return text;
}

EditorBoxes boxes_from_segment(Segment& segment) {
  return {segment.title().value_or(std::string()), length_box_text(segment.time()), segment.as_text()};
}

bool boxes_match_segment(Segment& segment, const EditorBoxes& boxes) {
  const std::string_view title = segment.title() ? std::string_view(*segment.title()) : std::string_view();
  return without_trailing_blanks(boxes.name) == without_trailing_blanks(title) &&
         typed_length(boxes.length) == std::optional(segment.time()) &&
         without_trailing_blanks(boxes.body) == without_trailing_blanks(segment.as_text());
}

std::optional<std::string> boxes_refusal(const EditorBoxes& boxes) {
  if (is_blank(boxes.name) || is_blank(boxes.body) || is_blank(boxes.length)) {
    return std::string(incomplete_fields_message);
  }
  // A length nobody can read would otherwise become 0:00 without a word.
  if (!read_length_field(boxes.length)) return length_refusal(boxes.length);
  return std::nullopt;
}

bool store_boxes_in_segment(Segment& segment, const EditorBoxes& boxes) {
  // Every box is checked before anything changes: a half-applied edit would
  // leave, say, a new title over the old body without the user knowing.
  if (boxes_refusal(boxes)) return false;
  segment.set_title(boxes.name);
  segment.set_time_string(boxes.length);
  segment.set_content(boxes.body);  // reparses, now with the new title
  return true;
}

EditorBoxes read_editor_boxes(int name_box, int length_box, int body_box) {
  return {korvid::gettextboxcontents(name_box), korvid::gettextboxcontents(length_box),
          korvid::gettextboxcontents(body_box)};
}

FilledBoxes fill_editor_boxes(const EditorBoxes& boxes, int name_box, int length_box, int body_box) {
  korvid::settextboxcontents(name_box, boxes.name);
  korvid::settextboxcontents(length_box, boxes.length);
  korvid::settextboxcontents(body_box, boxes.body);
  return {boxes, read_editor_boxes(name_box, length_box, body_box)};
}

EditorBoxes with_unedited_bytes(EditorBoxes read, const FilledBoxes& filled) {
  const auto keep_unedited = [](std::string& text, const std::string& shown, const std::string& put) {
    if (text == shown) text = put;
  };
  keep_unedited(read.name, filled.shown.name, filled.put.name);
  keep_unedited(read.length, filled.shown.length, filled.put.length);
  keep_unedited(read.body, filled.shown.body, filled.put.body);
  return read;
}

bool save_editor_to_segment(Segment& segment, int name_box, int length_box, int body_box) {
  return store_boxes_in_segment(segment, read_editor_boxes(name_box, length_box, body_box));
}

}  // namespace veltrim
