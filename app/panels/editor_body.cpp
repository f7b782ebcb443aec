#include "app/panels/editor_body.h"

#include <string>

#include "korvid/korvid.h"

namespace veltrim {
namespace {

// The selection's length in bytes counts two more than the selected text.
constexpr int empty_selection_length = 2;

bool copy_selection(int box) {
  if (korvid::gettextboxselectionlength(box) <= empty_selection_length) return false;
  korvid::sendtoclipboard(korvid::gettextboxselection(box));
  return true;
}

}  // namespace

void cut_body_selection(int box) {
  if (!copy_selection(box)) return;
  korvid::deletetextboxselection(box);
  korvid::settextboxfocused(box);
}

void copy_body_selection(int box) {
  if (copy_selection(box)) korvid::settextboxfocused(box);
}

void paste_into_body(int box) {
  korvid::deletetextboxselection(box);
  const int length = korvid::getclipboardtextlength();
  if (length <= 0) return;
  std::string text;
  // Room for the whole text: the reader keeps the last byte of its capacity
  // for a terminator, so a capacity of exactly `length` would drop a character.
  korvid::getfromclipboard(text, length + 1);
  korvid::inserttextboxtext(box, text);
  korvid::settextboxfocused(box);
}

void add_characters_to_editor_line(int box, std::string_view text) {
  const int caret = korvid::gettextboxcursorposition(box);
  const int line = korvid::gettextboxlinefromposition(box, caret);
  const int line_start = korvid::gettextboxpositionfromline(box, line);
  if (line_start < 0) return;
  korvid::settextboxcursorposition(box, line_start);
  korvid::inserttextboxtext(box, text);
  korvid::settextboxfocused(box);
}

}  // namespace veltrim
