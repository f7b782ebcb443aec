#include "controls_fixture.h"

namespace controls_test {
namespace {

using Identifiers = ControlsTest;

TEST_F(Identifiers, AreGivenInCreationOrderAcrossFamiliesAndWorkOnlyWithTheirOwn) {
  EXPECT_EQ(korvid::createbutton(10, 10, 80, 24, "a"), 0);
  EXPECT_EQ(korvid::createcheckbox(10, 40, 80, 24, "b"), 1);
  EXPECT_EQ(korvid::createradiobutton(10, 70, 80, 24, "c"), 2);
  const int box = korvid::createtextbox(100, 10, 120, 24);
  const int list = korvid::createlistbox(100, 40, 120, 80);
  const int bar = korvid::createscrollbar(300, 10, 16, 200, true);
  EXPECT_EQ((std::array{box, list, bar}), (std::array{3, 4, 5}));
  korvid::settextboxcontents(box, "text");
  EXPECT_EQ(korvid::getlistboxlength(list), 0);
  EXPECT_EQ(korvid::getscrollposition(bar), 0);

  // An identifier used with another kind's operation names nothing.
  EXPECT_EQ(std::tuple(korvid::getlistboxlength(box), korvid::gettextboxlength(list), korvid::getscrollposition(0)),
            std::tuple(-1, -1, -1));
  korvid::settextboxcontents(list, "not a box");
  EXPECT_EQ(korvid::gettextboxcontents(box), "text");
  // Identifiers that were never given out.
  EXPECT_EQ(std::tuple(korvid::getlistboxlength(6), korvid::getlistboxlength(-1)), std::tuple(-1, -1));
}

TEST_F(Identifiers, RemovedControlVanishesAtOnceAndItsIdentifierIsNeverReused) {
  Recorder pressed;
  std::atomic<int> window_clicks{0};
  korvid::registermousehandler(korvid::mouse::left_up, [&](int, int) { ++window_clicks; });
  const int check = korvid::createcheckbox(200, 40, 80, 24, "check");
  const int button = korvid::createbutton(10, 10, 80, 30, "Go", pressed.callback());
  const int box = korvid::createtextbox(200, 80, 80, 24);
  korvid::checkboxsetchecked(check, true);
  kt::click_point(window, 20, 20);
  settle();
  EXPECT_EQ(std::tuple(pressed.calls(), window_clicks.load()), std::tuple(1, 0));

  korvid::removebutton(button);
  korvid::removetextbox(box);
  EXPECT_FALSE(kt::control_visible(window, button));
  EXPECT_FALSE(kt::control_visible(window, box));
  kt::click_point(window, 20, 20);  // lands on the window now
  settle();
  EXPECT_EQ(std::tuple(pressed.calls(), window_clicks.load()), std::tuple(1, 1));

  int x = -7, y = -7, w = -7, h = -7;
  EXPECT_EQ(korvid::getbuttonposition(button, x, y, w, h), 0);
  EXPECT_EQ(x, -7);
  korvid::setbuttonposition(button, 0, 0, 10, 10);
  korvid::removebutton(button);
  EXPECT_EQ(std::tuple(korvid::checkboxischecked(button), korvid::checkboxischecked(check)), std::tuple(0, 1));
  korvid::settextboxcontents(box, "y");
  EXPECT_EQ(std::tuple(korvid::gettextboxlength(box), korvid::gettextboxcursorposition(box)), std::tuple(-1, -1));
  EXPECT_EQ(korvid::createtextbox(10, 100, 80, 24), 3);
}

// The height given covers the open list; the closed box keeps its own.
TEST_F(Identifiers, PositionsMoveControlsAndDropDownsKeepTheirClosedHeight) {
  const int drop = korvid::createdropdownlist(10, 10, 80, 24);
  korvid::setdropdownlistposition(drop, 30, 40, 120, 200);
  int x = 0, y = 0, w = 0, h = 0;
  ASSERT_EQ(korvid::getdropdownlistposition(drop, x, y, w, h), 1);
  EXPECT_EQ((std::array{x, y, w}), (std::array{30, 40, 120}));
  EXPECT_TRUE(h > 0 && h < 200) << h;
  EXPECT_EQ(korvid::gettextboxposition(drop, x, y, w, h), 0);
}

// With the tables held by someone else, operations give up and report failure
// instead of hanging, and everything works again once the tables are free.
TEST_F(Identifiers, BusyTablesFailSoftly) {
  Recorder pressed;
  const int bar = korvid::createscrollbar(300, 10, 16, 200, true);
  const int button = korvid::createbutton(10, 10, 80, 30, "Go", pressed.callback());
  kt::set_control_lock_waits(window, 0, 0);
  kt::lock_control_tables(window);
  const int unrecorded = korvid::createbutton(10, 50, 80, 30, "lost");
  EXPECT_EQ(std::tuple(korvid::getscrollposition(bar), korvid::checkboxischecked(button)), std::tuple(-1, 0));
  kt::unlock_control_tables(window);

  EXPECT_EQ(unrecorded, 2);  // the identifier is taken, but names no control
  EXPECT_FALSE(kt::control_visible(window, unrecorded));
  EXPECT_EQ(korvid::getscrollposition(bar), 0);

  kt::lock_control_tables(window);
  kt::click_point(window, 20, 20);  // the window thread cannot look the button up
  kt::unlock_control_tables(window);
  settle();
  EXPECT_EQ(pressed.calls(), 0);
  kt::click_control(window, button);
  settle();
  EXPECT_EQ(pressed.calls(), 1);
  EXPECT_EQ(korvid::createbutton(10, 90, 80, 30, "next"), 3);
}

// Panels choose a text style and then make their controls in it (the editor's
// body in monospace, its buttons in sans serif), so every control takes the
// style of its moment and keeps it.
TEST_F(Identifiers, ControlsTakeTheTextStyleTheyWereMadeInAndKeepIt) {
  korvid::settextstyle(korvid::font::mono, 0, 30);
  const kt::SelectedFont mono = kt::selected_font(window);
  const std::vector<int> made{korvid::createbutton(10, 10, 80, 30, "a"),
                              korvid::createcheckbox(10, 50, 80, 30, "b"),
                              korvid::createradiobutton(10, 90, 80, 30, "c"),
                              korvid::createtextbox(100, 10, 120, 30),
                              korvid::createmultilinetextbox(100, 50, 120, 80),
                              korvid::createlistbox(230, 10, 100, 80),
                              korvid::createdropdownlist(230, 100, 100, 80),
                              korvid::createscrollbar(340, 10, 16, 200, true)};
  korvid::settextstyle(korvid::font::sans, 0, 20);
  const kt::SelectedFont sans = kt::selected_font(window);
  ASSERT_NE(mono.family, sans.family);
  ASSERT_NE(mono.pixel_size, sans.pixel_size);

  for (const int id : made) {
    const auto font = kt::control_font(window, id);
    ASSERT_TRUE(font) << id;
    EXPECT_EQ(font->family, mono.family) << id;
    EXPECT_EQ(font->pixel_size, mono.pixel_size) << id;
  }
  const auto later = kt::control_font(window, korvid::createbutton(10, 130, 80, 30, "d"));
  ASSERT_TRUE(later);
  EXPECT_EQ(later->family, sans.family);
  EXPECT_EQ(later->pixel_size, sans.pixel_size);
}

}  // namespace
}  // namespace controls_test
