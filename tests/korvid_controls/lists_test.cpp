#include "controls_fixture.h"

#include <tuple>

namespace controls_test {
namespace {

using Lists = ControlsTest;

TEST_F(Lists, EntriesGoByPositionAndOnlyTheUsersSelectionRunsTheCallback) {
  Recorder changed;
  const int list = korvid::createlistbox(10, 10, 200, 150, changed.callback());
  // -1 appends; a place past the end is refused; an untitled entry keeps its place.
  for (const auto& [index, text, at] :
       {std::tuple{-1, "b", 0}, {-1, "d", 1}, {0, "a", 0}, {2, "c", 2}, {9, "far", -1}, {-1, "", 4}}) {
    EXPECT_EQ(korvid::insertlistboxentry(list, index, text), at) << text;
  }
  EXPECT_EQ(std::tuple(korvid::getlistboxlength(list), korvid::getlistboxtext(list, 2), korvid::getlistboxtext(list, 5),
                       korvid::getlistboxselection(list)),
            std::tuple(5, "c", "", -1));
  korvid::setlistboxselection(list, 3);
  EXPECT_EQ(std::tuple(korvid::getlistboxselection(list), kt::control_text(window, list)), std::tuple(3, "d"));
  korvid::removelistboxentry(list, 3);  // takes the selected entry with it
  korvid::removelistboxentry(list, 7);
  EXPECT_EQ(korvid::getlistboxlength(list), 4);
  korvid::setlistboxselection(list, 0);
  korvid::setlistboxselection(list, -1);
  EXPECT_EQ(korvid::getlistboxselection(list), -1);
  settle();
  EXPECT_EQ(changed.calls(), 0);

  kt::select_list_entry(window, list, 2);
  settle();
  EXPECT_EQ(korvid::getlistboxselection(list), 2);
  ASSERT_EQ(changed.calls(), 1);
  EXPECT_NE(changed.threads[0], kt::window_thread_id());
}

TEST_F(Lists, DropDownSelectsItsFirstEntryAndReportsOnlyTheUsersChoice) {
  Recorder changed;
  const int drop = korvid::createdropdownlist(10, 10, 200, 150, changed.callback());
  EXPECT_EQ(korvid::getdropdownlistselection(drop), -1);
  EXPECT_EQ(korvid::insertdropdownlistentry(drop, -1, "Serif"), 0);
  EXPECT_EQ(korvid::getdropdownlistselection(drop), 0);
  EXPECT_EQ(korvid::insertdropdownlistentry(drop, 0, "Sans"), 0);
  EXPECT_EQ(korvid::insertdropdownlistentry(drop, -1, "Mono"), 2);
  EXPECT_EQ(korvid::getdropdownlistselection(drop), 1);  // still "Serif"
  korvid::setdropdownlistselection(drop, -1);
  EXPECT_EQ(korvid::getdropdownlistselection(drop), -1);
  korvid::setdropdownlistselection(drop, 2);
  settle();
  EXPECT_EQ(changed.calls(), 0);

  kt::select_dropdown_entry(window, drop, 0);
  settle();
  EXPECT_EQ(std::tuple(korvid::getdropdownlistselection(drop), kt::control_text(window, drop)), std::tuple(0, "Sans"));
  ASSERT_EQ(changed.calls(), 1);
  EXPECT_NE(changed.threads[0], kt::window_thread_id());

  korvid::removedropdownlistentry(drop, 0);
  korvid::cleardropdownlistentries(drop);
  EXPECT_EQ(korvid::getdropdownlistselection(drop), -1);
  settle();
  EXPECT_EQ(changed.calls(), 1);
}

}  // namespace
}  // namespace controls_test
