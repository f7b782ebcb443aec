// The editor's three boxes (name, length, body) are a working copy of one
// segment. These functions fill them from the segment and bring what was typed
// back into it, all or nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/script/segment.h"

namespace veltrim {

// What the boxes hold, as read from the window.
struct EditorBoxes {
  std::string name;
  std::string length;
  std::string body;
};

// A length as the length box shows it: eight characters, the minutes
// right-aligned in five, ":" and two-digit seconds (90 -> "    1:30").
std::string length_box_text(std::int32_t seconds);

// The boxes as a segment fills them: its title (empty when it has none), its
// length and its body without the heading. Makes the body from the segment's
// lines when it has no content yet.
EditorBoxes boxes_from_segment(Segment& segment);

// True when storing `boxes` would leave the segment as it is: nothing was typed
// since the boxes were filled, or what was typed means the same. A length box
// that describes no length never matches.
bool boxes_match_segment(Segment& segment, const EditorBoxes& boxes);

// Why the boxes cannot be stored, in words for the user: a box is empty (or only
// blanks), or the length box describes no length ("abc", "90"); nothing when
// they can be stored.
std::optional<std::string> boxes_refusal(const EditorBoxes& boxes);

// Stores the three boxes in the segment when boxes_refusal finds nothing wrong,
// and returns true. Otherwise returns false and leaves the segment exactly as it
// was, so a rejected edit never half-applies.
bool store_boxes_in_segment(Segment& segment, const EditorBoxes& boxes);

// The boxes as they were filled: the bytes put in, and what the boxes show for
// them. A box shows a byte that is not UTF-8 as U+FFFD, so what it reads back
// can differ from what was put in although the user changed nothing.
struct FilledBoxes {
  EditorBoxes put;
  EditorBoxes shown;
};

// Reads the boxes from the window; fills them and reads back what they show.
EditorBoxes read_editor_boxes(int name_box, int length_box, int body_box);
FilledBoxes fill_editor_boxes(const EditorBoxes& boxes, int name_box, int length_box, int body_box);

// What the boxes hold with the bytes put in for every box that still shows what
// it was filled with: a text the user did not edit keeps its bytes, one the
// user edited is taken as it is shown.
EditorBoxes with_unedited_bytes(EditorBoxes read, const FilledBoxes& filled);

// Reads the boxes and stores them in the segment (see store_boxes_in_segment).
bool save_editor_to_segment(Segment& segment, int name_box, int length_box, int body_box);

}  // namespace veltrim
