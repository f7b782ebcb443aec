#include "controls_fixture.h"

#include <string>

namespace controls_test {
namespace {

using TextBoxes = ControlsTest;

TEST_F(TextBoxes, TextTravelsAsUtf8WhateverItsLengthAndInvalidTextIsNotSet) {
  const int single = korvid::createtextbox(10, 10, 200, 24);
  const int multi = korvid::createmultilinetextbox(10, 40, 200, 100);
  const std::string text = "Grüße\u00a0😀";
  for (const int box : {single, multi}) {
    korvid::settextboxcontents(box, text);
    EXPECT_EQ(std::tuple(korvid::gettextboxcontents(box), korvid::gettextboxlength(box)),
              std::tuple(text, static_cast<int>(text.size())));
    korvid::settextboxcursorposition(box, 6);
    korvid::textboxselect(box, 2);  // the emoji is two UTF-16 units
    EXPECT_EQ(std::tuple(korvid::gettextboxselection(box), korvid::gettextboxselectionlength(box)), std::tuple("😀", 6));
    korvid::settextboxcontents(box, "broken \xc3");
    korvid::inserttextboxtext(box, "\xed\xa0\x80");  // an encoded surrogate
    EXPECT_EQ(korvid::gettextboxcontents(box), text);
  }
  std::string megabyte;  // a long segment's body
  for (int i = 0; megabyte.size() < 1'000'000; ++i) megabyte += "line " + std::to_string(i) + " äöü\r\n";
  korvid::settextboxcontents(multi, megabyte);
  EXPECT_EQ(korvid::gettextboxcontents(multi), megabyte);
}

// Typing goes into its box, a line end as CR LF in a multi-line one, and none of
// it reaches the program's key buffer.
TEST_F(TextBoxes, TypedKeysStayWithTheBox) {
  const int single = korvid::createtextbox(10, 10, 200, 24);
  const int multi = korvid::createmultilinetextbox(10, 40, 200, 100);
  kt::type_into_textbox(window, single, "typed");
  kt::type_into_textbox(window, multi, "ab\ncd");
  settle();
  EXPECT_EQ(std::tuple(korvid::gettextboxcontents(single), korvid::gettextboxcontents(multi)),
            std::tuple("typed", "ab\r\ncd"));
  EXPECT_FALSE(korvid::kbhit());
}

}  // namespace
}  // namespace controls_test

