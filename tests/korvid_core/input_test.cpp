// The latest click, the wheel, keys for getch, resizing, closing and the idle
// wait. The test hooks return once the window thread has handled the event,
// handlers included. A callback waking the waiting program is shown through
// the panels' waits (ImportPanelTest, ProgramTest).
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace {

using korvid::default_position;
namespace mouse = korvid::mouse;
using Pairs = std::vector<std::pair<int, int>>;

std::pair<int, int> take_click(int kind) {
  int x = 0, y = 0;
  korvid::getmouseclick(kind, x, y);
  return {x, y};
}

TEST(Mouse, ClicksKeepOnlyTheLatest) {
  const int id = korvid::initwindow(200, 200, "Queue");
  EXPECT_FALSE(korvid::ismouseclick(mouse::left_up));
  EXPECT_EQ(take_click(mouse::left_up), std::make_pair(-1, -1));

  korvid::testing::click(id, 10, 11);
  korvid::testing::click(id, 20, 21);
  EXPECT_TRUE(korvid::ismouseclick(mouse::left_up));
  EXPECT_EQ(take_click(mouse::left_up), std::make_pair(20, 21));
  EXPECT_EQ(take_click(mouse::left_up), std::make_pair(-1, -1));
  EXPECT_EQ(take_click(mouse::left_down), std::make_pair(20, 21));  // presses have their own record
  EXPECT_FALSE(korvid::ismouseclick(mouse::last + 1));              // kinds beyond the list name nothing
  EXPECT_EQ(take_click(mouse::first - 1), std::make_pair(-1, -1));
}

TEST(Mouse, TheWheelReportsItsSignedDelta) {
  const int id = korvid::initwindow(100, 100, "Wheel");
  Pairs seen;
  korvid::registermousehandler(mouse::wheel, [&](int delta, int zero) { seen.emplace_back(delta, zero); });
  korvid::testing::turn_wheel(id, -120, 10, 10);  // towards the user
  korvid::testing::turn_wheel(id, 240, 10, 10);   // away, two notches
  // A touchpad's small steps add up to whole notches; the rest waits.
  for (int step = 0; step < 5; ++step) korvid::testing::turn_wheel(id, 50, 10, 10);
  korvid::testing::turn_wheel(id, -10, 10, 10);
  EXPECT_EQ(seen, (Pairs{{-120, 0}, {240, 0}, {120, 0}, {120, 0}}));
  EXPECT_FALSE(korvid::ismouseclick(mouse::wheel));
  korvid::registermousehandler(mouse::wheel, {});  // removed
  korvid::testing::turn_wheel(id, 120, 10, 10);
  EXPECT_EQ(seen.size(), 4u);
}

TEST(Keys, ExtendedKeysReadAsZeroAndTheirCodeAndTheBufferHolds511) {
  const int id = korvid::initwindow(100, 100, "Keys");
  EXPECT_FALSE(korvid::kbhit());
  std::thread typist([id] {
    korvid::testing::press_extended_key(id, korvid::key::up);
    korvid::testing::type_keys(id, "a\r");
    korvid::testing::press_extended_key(id, korvid::key::f1 + 9);  // F10
    korvid::testing::press_extended_key(id, korvid::key::del);
  });
  std::vector<int> codes;
  while (codes.size() < 8) codes.push_back(korvid::getch());  // waits for each key
  typist.join();
  EXPECT_EQ(codes, (std::vector<int>{0, 72, 'a', '\r', 0, 68, 0, 83}));
  EXPECT_FALSE(korvid::kbhit());

  korvid::testing::type_keys(id, std::string(600, 'k'));
  int count = 0;
  for (; korvid::kbhit(); ++count) korvid::getch();
  EXPECT_EQ(count, korvid::key::buffer_limit);
}

TEST(Window, ResizingNeedsPermissionAndReachesTheProgram) {
  const int id = korvid::initwindow(200, 150, "Resize");
  korvid::testing::resize_window(id, 300, 250);  // fixed size: no border to drag
  EXPECT_EQ(korvid::getmaxx(), 199);

  int calls = 0;
  int width_seen = 0;
  korvid::enableresize([&] {
    ++calls;
    width_seen = korvid::getmaxx() + 1;
  });
  korvid::testing::resize_window(id, 320, 240);
  EXPECT_EQ(std::tuple(korvid::getmaxx(), korvid::getmaxy()), std::tuple(319, 239));
  EXPECT_GE(calls, 1);
  EXPECT_EQ(width_seen, 320);  // the handler already sees the new size
}

TEST(Window, TheSystemCloseCallbackCanKeepTheWindowOpen) {
  const int id = korvid::initwindow(100, 100, "Veto", default_position, default_position, false, false);
  int verdict = 0;
  int asked = 0;
  int closed = 0;
  korvid::setwindowsystemclosecallback([&] {
    ++asked;
    return verdict;
  });
  korvid::setwindowclosecallback([&] { ++closed; });
  korvid::testing::request_close(id);
  EXPECT_EQ(std::tuple(asked, closed), std::tuple(1, 0));
  EXPECT_TRUE(korvid::testing::window_visible(id));

  verdict = 1;
  korvid::testing::request_close(id);
  EXPECT_EQ(std::tuple(asked, closed), std::tuple(2, 1));
  EXPECT_FALSE(korvid::isvalidwindow(id));
}

TEST(IdleWait, AStopBeforeTheWaitIsRememberedOnce) {
  korvid::stopidle();  // no window yet: nobody to wake, and no process end
  const int id = korvid::initwindow(100, 100, "Idle");
  korvid::stopidle();
  korvid::stopidle();  // collapses with the first
  korvid::loop();      // returns at once
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(korvid::startidle(50), korvid::idle_timeout);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
  EXPECT_FALSE(korvid::testing::idle_waiting(id));
}

}  // namespace
