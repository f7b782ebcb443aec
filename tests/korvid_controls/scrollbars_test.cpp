#include "controls_fixture.h"

namespace controls_test {
namespace {

using ScrollBars = ControlsTest;

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
