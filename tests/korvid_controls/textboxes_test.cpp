#include "controls_fixture.h"

#include <string>

namespace controls_test {
namespace {

namespace kt = korvid::testing;

using TextBoxes = ControlsTest;

TEST_F(TextBoxes, LineBreaksReadAsCrLfAndCountTwiceInPositions) {
  const int box = korvid::createmultilinetextbox(10, 10, 300, 200);
  korvid::settextboxcontents(box, "ab\r\ncd\nef");
  EXPECT_EQ(korvid::gettextboxcontents(box), "ab\r\ncd\r\nef");
  EXPECT_EQ(korvid::gettextboxlength(box), 10);

  EXPECT_EQ(korvid::gettextboxpositionfromline(box, 0), 0);
  EXPECT_EQ(korvid::gettextboxpositionfromline(box, 1), 4);
  EXPECT_EQ(korvid::gettextboxpositionfromline(box, 2), 8);
  EXPECT_EQ(korvid::gettextboxpositionfromline(box, 3), -1);
  for (int line = 0; line < 3; ++line) {
    EXPECT_EQ(korvid::gettextboxlinefromposition(box, korvid::gettextboxpositionfromline(box, line)), line);
  }
  EXPECT_EQ(korvid::gettextboxlinefromposition(box, 3), 0);  // between CR and LF
  EXPECT_EQ(korvid::gettextboxlinefromposition(box, 7), 1);
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
}

TEST_F(TextBoxes, InsertReplacesTheSelectionAndDeleteRemovesIt) {
  const int box = korvid::createmultilinetextbox(10, 10, 300, 200, false);
  korvid::settextboxcontents(box, "ab\r\ncd\r\nef");
  korvid::settextboxcursorposition(box, 4);
  korvid::textboxselect(box, 2);
  korvid::inserttextboxtext(box, "XY\r\nZ");
  EXPECT_EQ(korvid::gettextboxcontents(box), "ab\r\nXY\r\nZ\r\nef");
  EXPECT_EQ(korvid::gettextboxcursorposition(box), 9);
  EXPECT_EQ(korvid::gettextboxselectionlength(box), 2);

  korvid::deletetextboxselection(box);  // nothing selected: nothing happens
  EXPECT_EQ(korvid::gettextboxlength(box), 13);
  korvid::settextboxcursorposition(box, 0);
  korvid::textboxselect(box, 4);
  korvid::deletetextboxselection(box);
  EXPECT_EQ(korvid::gettextboxcontents(box), "XY\r\nZ\r\nef");

  // Marking the caret's line the way an editor does: to its start, then insert.
  korvid::settextboxcursorposition(box, 5);
  const int line = korvid::gettextboxlinefromposition(box, korvid::gettextboxcursorposition(box));
  korvid::settextboxcursorposition(box, korvid::gettextboxpositionfromline(box, line));
  korvid::inserttextboxtext(box, "# ");
  EXPECT_EQ(korvid::gettextboxcontents(box), "XY\r\n# Z\r\nef");
}

TEST_F(TextBoxes, SingleLineBoxHasOneLine) {
  const int box = korvid::createtextbox(10, 10, 200, 24);
  korvid::settextboxcontents(box, "hello world");
  korvid::settextboxcursorposition(box, 3);
  korvid::textboxselect(box, 5);
  EXPECT_EQ(korvid::gettextboxselection(box), "lo wo");
  EXPECT_EQ(korvid::gettextboxcursorposition(box), 3);
  korvid::inserttextboxtext(box, "X");
  EXPECT_EQ(korvid::gettextboxcontents(box), "helXrld");
  EXPECT_EQ(korvid::gettextboxlinefromposition(box, 5), 0);
  EXPECT_EQ(korvid::gettextboxpositionfromline(box, 0), 0);
  EXPECT_EQ(korvid::gettextboxpositionfromline(box, 1), -1);
  korvid::settextboxcursorposition(box, 500);
  EXPECT_EQ(korvid::gettextboxcursorposition(box), 7);
}

TEST_F(TextBoxes, TextTravelsAsUtf8AndInvalidTextIsNotSet) {
  const int single = korvid::createtextbox(10, 10, 200, 24);
  const int multi = korvid::createmultilinetextbox(10, 40, 200, 100);
  const std::string text = "Grüße\u00a0😀";
  for (const int box : {single, multi}) {
    korvid::settextboxcontents(box, text);
    EXPECT_EQ(korvid::gettextboxcontents(box), text);
    EXPECT_EQ(korvid::gettextboxlength(box), static_cast<int>(text.size()));
    korvid::settextboxcursorposition(box, 6);
    korvid::textboxselect(box, 2);  // the emoji is two UTF-16 units
    EXPECT_EQ(korvid::gettextboxselection(box), "😀");
    EXPECT_EQ(korvid::gettextboxselectionlength(box), 6);
    korvid::settextboxcontents(box, "broken \xc3");
    EXPECT_EQ(korvid::gettextboxcontents(box), text);
    korvid::inserttextboxtext(box, "\xed\xa0\x80");  // an encoded surrogate
    EXPECT_EQ(korvid::gettextboxcontents(box), text);
  }
}

TEST_F(TextBoxes, MegabyteOfTextRoundTrips) {
  const int box = korvid::createmultilinetextbox(10, 10, 300, 200);
  std::string text;
  for (int i = 0; text.size() < 1'000'000; ++i) text += "line " + std::to_string(i) + " äöü\r\n";
  text += "end";
  korvid::settextboxcontents(box, text);
  EXPECT_EQ(korvid::gettextboxlength(box), static_cast<int>(text.size()));
  EXPECT_EQ(korvid::gettextboxcontents(box), text);
}

TEST_F(TextBoxes, EnterRunsTheCallbackOnlyInSingleLineBoxes) {
  Recorder single_enter, multi_enter;
  const int single = korvid::createtextbox(10, 10, 200, 24);
  const int multi = korvid::createmultilinetextbox(10, 40, 200, 100);
  korvid::settextboxentercallback(single, single_enter.callback());
  korvid::settextboxentercallback(multi, multi_enter.callback());

  kt::type_into_textbox(window, single, "typed");
  kt::press_enter(window, single);
  kt::type_into_textbox(window, multi, "ab\ncd");
  settle();
  EXPECT_EQ(korvid::gettextboxcontents(single), "typed");
  EXPECT_EQ(korvid::gettextboxcontents(multi), "ab\r\ncd");
  ASSERT_EQ(single_enter.calls(), 1);
  EXPECT_NE(single_enter.threads()[0], kt::window_thread_id());
  EXPECT_EQ(multi_enter.calls(), 0);
  EXPECT_FALSE(korvid::kbhit());  // keys typed into a box stay with it

  korvid::settextboxcontents(single, "set by the program");
  korvid::cleartextboxentercallback(single);
  kt::press_enter(window, single);
  settle();
  EXPECT_EQ(single_enter.calls(), 1);
}

TEST_F(TextBoxes, RemovedBoxAnswersFailure) {
  const int box = korvid::createtextbox(10, 10, 200, 24);
  korvid::settextboxcontents(box, "x");
  korvid::removetextbox(box);
  EXPECT_EQ(korvid::gettextboxlength(box), -1);
  EXPECT_EQ(korvid::gettextboxcontents(box), "");
  EXPECT_EQ(korvid::gettextboxcursorposition(box), -1);
  EXPECT_EQ(korvid::gettextboxselectionlength(box), -1);
  korvid::settextboxcontents(box, "y");
  korvid::inserttextboxtext(box, "z");
  EXPECT_FALSE(kt::control_visible(window, box));
}

}  // namespace
}  // namespace controls_test
