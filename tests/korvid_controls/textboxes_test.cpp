#include "controls_fixture.h"

#include <string>

namespace controls_test {
namespace {

using TextBoxes = ControlsTest;

TEST_F(TextBoxes, LineBreaksCountTwiceInPositionsAndInsertReplacesTheSelection) {
  const int box = korvid::createmultilinetextbox(10, 10, 300, 200, false);
  korvid::settextboxcontents(box, "ab\r\ncd\nef");
  EXPECT_EQ(korvid::gettextboxcontents(box), "ab\r\ncd\r\nef");
  EXPECT_EQ(korvid::gettextboxlength(box), 10);
  // Line of a position and start of a line agree.
  for (const auto& [line, start] : {std::pair{0, 0}, {1, 4}, {2, 8}}) {
    EXPECT_EQ(korvid::gettextboxpositionfromline(box, line), start);
    EXPECT_EQ(korvid::gettextboxlinefromposition(box, start), line);
  }
  EXPECT_EQ(korvid::gettextboxpositionfromline(box, 3), -1);
  EXPECT_EQ(korvid::gettextboxlinefromposition(box, 3), 0);  // between CR and LF
  EXPECT_EQ(korvid::gettextboxlinefromposition(box, 99), 2);
  korvid::settextboxcursorposition(box, 5);
  EXPECT_EQ(korvid::gettextboxcursorposition(box), 5);
  EXPECT_EQ(korvid::gettextboxcurrentline(box), 1);
  EXPECT_EQ(korvid::gettextboxpositionfromline(box, -1), 4);

  korvid::settextboxcursorposition(box, 1);
  korvid::textboxselect(box, 5);
  EXPECT_EQ(korvid::gettextboxselection(box), "b\r\ncd");
  EXPECT_EQ(korvid::gettextboxselectionlength(box), 7);
  EXPECT_TRUE(kt::control_focused(window, box));
  korvid::inserttextboxtext(box, "XY\r\nZ");
  EXPECT_EQ(korvid::gettextboxcontents(box), "aXY\r\nZ\r\nef");
  EXPECT_EQ(korvid::gettextboxcursorposition(box), 6);
  EXPECT_EQ(korvid::gettextboxselectionlength(box), 2);
  korvid::deletetextboxselection(box);  // nothing selected: nothing happens
  EXPECT_EQ(korvid::gettextboxlength(box), 10);
  korvid::settextboxcursorposition(box, 0);
  korvid::textboxselect(box, 5);
  korvid::deletetextboxselection(box);
  EXPECT_EQ(korvid::gettextboxcontents(box), "Z\r\nef");
}

TEST_F(TextBoxes, TextTravelsAsUtf8) {
  const int single = korvid::createtextbox(10, 10, 200, 24);
  const int multi = korvid::createmultilinetextbox(10, 40, 200, 100);
  const std::string text = "Grüße\u00a0😀";
  for (const int box : {single, multi}) {
    korvid::settextboxcontents(box, text);
    EXPECT_EQ(std::tuple(korvid::gettextboxcontents(box), korvid::gettextboxlength(box)),
              std::tuple(text, static_cast<int>(text.size())));
    korvid::settextboxcursorposition(box, 6);
    korvid::textboxselect(box, 2);  // the emoji is two UTF-16 units
    EXPECT_EQ(korvid::gettextboxselection(box), "😀");
    EXPECT_EQ(korvid::gettextboxselectionlength(box), 6);
  }
  std::string megabyte;  // a long segment's body
  for (int i = 0; megabyte.size() < 1'000'000; ++i) megabyte += "line " + std::to_string(i) + " äöü\r\n";
  korvid::settextboxcontents(multi, megabyte);
  EXPECT_EQ(korvid::gettextboxcontents(multi), megabyte);
}

TEST_F(TextBoxes, ShiftEnterAndLineSeparatorsReadBackAsLineEnds) {
  const int box = korvid::createmultilinetextbox(10, 10, 300, 200);
  kt::type_into_textbox(window, box, "one");
  kt::press_enter(window, box, true);
  EXPECT_EQ(korvid::gettextboxcontents(box), "one\r\n");
  korvid::settextboxcontents(box, "a\u2028b\u2029c");
  EXPECT_EQ(korvid::gettextboxcontents(box), "a\r\nb\r\nc");
  korvid::settextboxcursorposition(box, 0);
  korvid::textboxselect(box, 3);
  EXPECT_EQ(korvid::gettextboxselection(box), "a\r\nb");
}

TEST_F(TextBoxes, EnterRunsTheCallbackOnlyInSingleLineBoxes) {
  Recorder single_enter, multi_enter;
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

