#include "controls_fixture.h"

#include <tuple>

namespace controls_test {
namespace {

using Lists = ControlsTest;
using ScrollBars = ControlsTest;

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

  korvid::cleardropdownlistentries(drop);
  settle();
  EXPECT_EQ(std::tuple(korvid::getdropdownlistselection(drop), changed.calls()), std::tuple(-1, 1));
}

// The thumb covers the page, so the last position is maximum - page + 1.
TEST_F(ScrollBars, UserStepsReportTheSettledPositionOnTheWindowThreadAndProgramChangesNone) {
  Recorder seen;
  std::atomic<int> read_back{-2};
  int bar = -1;
  bar = korvid::createscrollbar(400, 10, 16, 300, true, [&](int position) {
    seen.scroll_callback()(position);
    read_back = korvid::getscrollposition(bar);
  });
  korvid::setscrollposition(bar, -5);
  EXPECT_EQ(korvid::getscrollposition(bar), 0);
  korvid::setscrollposition(bar, 95);
  EXPECT_EQ(korvid::getscrollposition(bar), 91);
  EXPECT_EQ(seen.calls(), 0);
  for (const auto action : {kt::ScrollAction::page_down, kt::ScrollAction::line_up, kt::ScrollAction::page_up,
                            kt::ScrollAction::top, kt::ScrollAction::line_up, kt::ScrollAction::bottom}) {
    kt::scroll(window, bar, action);
  }
  EXPECT_EQ(seen.positions, (std::vector<int>{91, 90, 80, 0, 0, 91}));
  EXPECT_EQ(read_back, 91);
  const auto window_thread = kt::window_thread_id();
  for (const auto& thread : seen.threads) EXPECT_EQ(thread, window_thread);

  korvid::setscrollrange(bar, 10, 50);  // brings the position back into reach
  EXPECT_EQ(korvid::getscrollposition(bar), 41);
  korvid::setscrollpagesize(bar, 0);
  korvid::setscrollposition(bar, 100);
  EXPECT_EQ(korvid::getscrollposition(bar), 50);
  EXPECT_EQ(seen.calls(), 6);
}

TEST_F(ScrollBars, DraggingTheThumbStaysWithinTheReachableRange) {
  Recorder seen;
  const int bar = korvid::createscrollbar(400, 10, 16, 300, true, seen.scroll_callback());
  kt::drag_scroll_thumb(window, bar, 1000);
  ASSERT_GE(seen.positions.size(), 2u);
  for (const int position : seen.positions) EXPECT_TRUE(position >= 0 && position <= 91) << position;
  EXPECT_GT(seen.positions.front(), 0);
  EXPECT_EQ(std::tuple(seen.positions.back(), korvid::getscrollposition(bar)), std::tuple(91, 91));
}

}  // namespace
}  // namespace controls_test
