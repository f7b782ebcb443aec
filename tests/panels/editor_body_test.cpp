// The body box's buttons: cut, copy and paste through the clipboard with text
// beyond ASCII, and markup put at the start of the caret's line.
#include <gtest/gtest.h>

#include "app/panels/editor_panel.h"
#include "korvid/korvid.h"
#include "korvid/testing.h"
#include "tests/panels/panel_fixture.h"

namespace veltrim::testing {
namespace {

namespace kt = korvid::testing;

enum Formatting { cut, copy, paste, heading, list, link };

TEST_F(PanelTest, CutCopyAndPasteCarryTextBeyondAsciiAndMarkupStartsTheCaretsLine) {
  Script script;
  EditorPanel panel(window, script, events, preferences, platform);
  const int body = panel.controls().body_box;
  const auto select_at = [&](int line, int column, int count) {
    korvid::settextboxcursorposition(body, korvid::gettextboxpositionfromline(body, line) + column);
    if (count > 0) korvid::textboxselect(body, count);
  };
  const auto use = [&](Formatting button) { EXPECT_FALSE(panel.act(click(panel.controls().formatting[button]))); };
  const auto box = [body] { return korvid::gettextboxcontents(body); };
  const auto type = [body](std::string_view text) { korvid::settextboxcontents(body, text); };
  const auto clipboard = [] {
    std::string text;
    korvid::getfromclipboard(text, korvid::getclipboardtextlength() + 1);
    return text;
  };

  type("Grüße an alle\r\nzweite Zeile – ✓\r\n");
  select_at(0, 0, 5);
  use(copy);
  EXPECT_EQ(clipboard(), "Grüße");
  select_at(1, 0, 0);
  use(paste);  // every character arrives, the last one too
  select_at(1, 18, 3);
  use(cut);
  EXPECT_EQ(clipboard(), "– ✓");
  select_at(0, 6, 2);
  use(paste);  // over a selection: it is replaced
  EXPECT_EQ(box(), "Grüße – ✓ alle\r\nGrüßezweite Zeile \r\n");
  select_at(0, 3, 0);  // nothing selected: cut and copy change nothing
  use(cut);
  use(copy);
  EXPECT_EQ(clipboard(), "– ✓");
  EXPECT_EQ(box(), "Grüße – ✓ alle\r\nGrüßezweite Zeile \r\n");

  type("first line\r\nsecond line\r\nthird\r\n");
  select_at(1, 4, 0);
  use(list);
  select_at(0, 6, 4);  // a selection is dropped, not replaced
  use(link);
  select_at(2, 5, 0);
  use(heading);
  EXPECT_EQ(box(), "=> first line\r\n * second line\r\n## third\r\n");
  EXPECT_TRUE(kt::control_focused(window, body));

  // A line the box wraps is still one line: the markup goes before its first word.
  std::string long_line;
  for (int i = 0; i < 60; ++i) long_line += "word" + std::to_string(i) + " ";
  type("intro\r\n" + long_line + "\r\n");
  select_at(1, static_cast<int>(long_line.size()) - 4, 0);
  use(heading);
  EXPECT_EQ(box(), "intro\r\n## " + long_line + "\r\n");
}

}  // namespace
}  // namespace veltrim::testing
