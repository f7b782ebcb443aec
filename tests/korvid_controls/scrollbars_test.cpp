#include "controls_fixture.h"

namespace controls_test {
namespace {

namespace kt = korvid::testing;

// Scroll callbacks run on the window thread; they record positions and threads.
struct ScrollRecorder {
  std::mutex mutex;
  std::vector<int> positions;
  std::vector<std::thread::id> threads;
  korvid::ScrollCallback callback() {
    return [this](int position) {
      std::lock_guard lock(mutex);
      positions.push_back(position);
      threads.push_back(std::this_thread::get_id());
    };
  }
};

using ScrollBars = ControlsTest;

TEST_F(ScrollBars, ThumbCoversThePageSoTheLastPositionIsMaximumLessPagePlusOne) {
  ScrollRecorder seen;
  const int bar = korvid::createscrollbar(400, 10, 16, 300, true, seen.callback());
  korvid::setscrollposition(bar, 95);
  EXPECT_EQ(korvid::getscrollposition(bar), 91);
  korvid::setscrollposition(bar, -5);
  EXPECT_EQ(korvid::getscrollposition(bar), 0);
  korvid::setscrollpagesize(bar, 20);
  korvid::setscrollposition(bar, 100);
  EXPECT_EQ(korvid::getscrollposition(bar), 81);
  korvid::setscrollrange(bar, 10, 50);
  EXPECT_EQ(korvid::getscrollposition(bar), 31);
  korvid::setscrollpagesize(bar, 0);
  korvid::setscrollposition(bar, 100);
  EXPECT_EQ(korvid::getscrollposition(bar), 50);
  EXPECT_TRUE(seen.positions.empty());  // the program's changes report nothing
}

TEST_F(ScrollBars, UserStepsReportTheSettledPositionOnTheWindowThread) {
  ScrollRecorder seen;
  std::atomic<int> read_back{-2};
  int bar = -1;
  bar = korvid::createscrollbar(400, 10, 16, 300, true, [&](int position) {
    seen.callback()(position);
    read_back = korvid::getscrollposition(bar);
  });
  korvid::setscrollposition(bar, 95);
  kt::scroll(window, bar, kt::ScrollAction::page_down);
  kt::scroll(window, bar, kt::ScrollAction::line_up);
  kt::scroll(window, bar, kt::ScrollAction::page_up);
  kt::scroll(window, bar, kt::ScrollAction::top);
  kt::scroll(window, bar, kt::ScrollAction::line_up);
  kt::scroll(window, bar, kt::ScrollAction::bottom);
  EXPECT_EQ(seen.positions, (std::vector<int>{91, 90, 80, 0, 0, 91}));
  EXPECT_EQ(read_back, 91);
  const auto window_thread = kt::window_thread_id();
  for (const auto& thread : seen.threads) EXPECT_EQ(thread, window_thread);
}

TEST_F(ScrollBars, DraggingTheThumbStaysWithinTheReachableRange) {
  ScrollRecorder seen;
  const int bar = korvid::createscrollbar(400, 10, 16, 300, true, seen.callback());
  kt::drag_scroll_thumb(window, bar, 1000);
  ASSERT_GE(seen.positions.size(), 2u);
  for (const int position : seen.positions) {
    EXPECT_GE(position, 0);
    EXPECT_LE(position, 91);
  }
  EXPECT_GT(seen.positions.front(), 0);
  EXPECT_EQ(seen.positions.back(), 91);
  EXPECT_EQ(korvid::getscrollposition(bar), 91);

  korvid::removescrollbar(bar);
  EXPECT_EQ(korvid::getscrollposition(bar), -1);
}

}  // namespace
}  // namespace controls_test
