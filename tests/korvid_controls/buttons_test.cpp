#include "controls_fixture.h"

namespace controls_test {
namespace {

using Buttons = ControlsTest;

TEST_F(Buttons, ClicksRunCallbacksOffTheWindowThreadAndProgramChangesRunNone) {
  Recorder pushed, checked, picked;
  const int button = korvid::createbutton(10, 10, 100, 30, "Push", pushed.callback());
  const int check = korvid::createcheckbox(10, 50, 100, 30, "Check", checked.callback());
  const int radio = korvid::createradiobutton(10, 90, 100, 30, "Radio", picked.callback());

  korvid::checkboxsetchecked(check, true);
  korvid::checkboxsetchecked(check, false);
  korvid::radiobuttonsetchecked(radio, true);
  settle();
  EXPECT_EQ(pushed.calls() + checked.calls() + picked.calls(), 0);

  kt::click_control(window, button);
  kt::click_control(window, check);
  settle();
  ASSERT_EQ(std::tuple(pushed.calls(), checked.calls()), std::tuple(1, 1));
  EXPECT_EQ(korvid::checkboxischecked(check), 1);
  const auto window_thread = kt::window_thread_id();
  for (const auto& thread : {pushed.threads[0], checked.threads[0]})
    EXPECT_TRUE(thread != window_thread && thread != std::this_thread::get_id());
  kt::click_control(window, check);
  // A greyed-out button takes no clicks.
  korvid::enablebutton(button, false);
  kt::click_control(window, button);
  settle();
  EXPECT_EQ(std::tuple(checked.calls(), korvid::checkboxischecked(check), pushed.calls()), std::tuple(2, 0, 1));
}

TEST_F(Buttons, RadioGroupsToggleIndependently) {
  const int a1 = korvid::createradiobutton(10, 10, 100, 24, "a1");
  korvid::createbutton(120, 10, 80, 24, "between");  // does not end the group
  const int a2 = korvid::createradiobutton(10, 40, 100, 24, "a2");
  korvid::beginradiogroup();
  const int b1 = korvid::createradiobutton(10, 80, 100, 24, "b1");
  const int b2 = korvid::createradiobutton(10, 110, 100, 24, "b2");

  kt::click_control(window, a1);
  kt::click_control(window, b1);
  kt::click_control(window, a2);
  const auto checked = [&] {
    return std::tuple(korvid::radiobuttonischecked(a1), korvid::radiobuttonischecked(a2),
                      korvid::radiobuttonischecked(b1), korvid::radiobuttonischecked(b2));
  };
  EXPECT_EQ(checked(), std::tuple(0, 1, 1, 0));
  korvid::radiobuttonsetchecked(b2, true);
  EXPECT_EQ(checked(), std::tuple(0, 1, 0, 1));
  korvid::radiobuttonsetchecked(b2, false);  // the program may clear a group
  EXPECT_EQ(korvid::radiobuttonischecked(b2), 0);
}

TEST_F(Buttons, CaptionsAreUtf8AndBytesThatAreNotShowAsReplacementCharacters) {
  const int button = korvid::createbutton(10, 10, 100, 30, "Grüße ✓");
  EXPECT_EQ(kt::control_text(window, button), "Grüße ✓");
  korvid::setbuttontext(button, "bad \xff\xfe");
  EXPECT_EQ(kt::control_text(window, button), "bad \uFFFD\uFFFD");
}

}  // namespace
}  // namespace controls_test
