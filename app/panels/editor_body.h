// Editing the editor's body box: cut, copy and paste through the clipboard, and
// the formatting buttons that start the caret's line with gemtext markup.
#pragma once

#include <string_view>

namespace veltrim {

// What the formatting buttons put at the start of the caret's line.
inline constexpr std::string_view heading_markup = "## ";
inline constexpr std::string_view link_markup = "=> ";
inline constexpr std::string_view list_markup = " * ";

// Cut and copy put the selection on the clipboard (cut also removes it); with
// nothing selected they do nothing and the clipboard keeps what it had.
void cut_body_selection(int box);
void copy_body_selection(int box);
// Replaces the selection with the clipboard's text; with an empty clipboard the
// selection is still removed.
void paste_into_body(int box);

// Puts `text` at the start of the line that holds the caret (dropping any
// selection) and gives the box the focus.
void add_characters_to_editor_line(int box, std::string_view text);

}  // namespace veltrim
