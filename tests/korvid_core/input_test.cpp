// Mouse queues and handlers, keys for getch, resizing and closing.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace {

using korvid::default_position;
namespace mouse = korvid::mouse;

std::pair<int, int> take_click(int kind) {
  int x = 0, y = 0;
  korvid::getmouseclick(kind, x, y);
  return {x, y};
}

// What handlers saw, written on the window thread.
struct Seen {
  std::mutex lock;
  std::vector<std::pair<int, int>> values;
  void add(int a, int b) {
    std::lock_guard guard(lock);
    values.emplace_back(a, b);
  }
  std::vector<std::pair<int, int>> all() {
    std::lock_guard guard(lock);
    return values;
  }
};

TEST(Mouse, ClicksKeepOnlyTheLatestUnlessAllAreAskedFor) {
  const int id = korvid::initwindow(200, 200, "Queue");
  EXPECT_FALSE(korvid::ismouseclick(mouse::left_up));
  EXPECT_EQ(take_click(mouse::left_up), std::make_pair(-1, -1));

  korvid::testing::click(id, 10, 11);
  korvid::testing::click(id, 20, 21);
  EXPECT_TRUE(korvid::ismouseclick(mouse::left_up));
  EXPECT_EQ(take_click(mouse::left_up), std::make_pair(20, 21));
  EXPECT_EQ(take_click(mouse::left_up), std::make_pair(-1, -1));

  korvid::setmousequeuestatus(mouse::left_up, true);
  korvid::testing::click(id, 1, 2);
  korvid::testing::click(id, 3, 4);
  korvid::testing::click(id, 5, 6);
  korvid::clearmouseclick(mouse::left_up);  // drops the oldest
  EXPECT_EQ(take_click(mouse::left_up), std::make_pair(3, 4));
  EXPECT_EQ(take_click(mouse::left_up), std::make_pair(5, 6));
  EXPECT_FALSE(korvid::ismouseclick(mouse::left_up));
  // Presses are queued under their own kind.
  EXPECT_EQ(take_click(mouse::left_down), std::make_pair(5, 6));
}

TEST(Mouse, AFullQueueStillUpdatesThePositionAndCallsHandlers) {
  const int id = korvid::initwindow(300, 300, "Full");
  korvid::setmousequeuestatus(mouse::right_up, true);
  Seen seen;
  korvid::registermousehandler(mouse::right_up, [&](int x, int y) { seen.add(x, y); });
  for (int i = 0; i < mouse::queue_limit + 3; ++i) korvid::testing::click(id, i, 7, 2);

  EXPECT_EQ(seen.all().size(), static_cast<std::size_t>(mouse::queue_limit + 3));
  EXPECT_EQ(seen.all().back(), std::make_pair(mouse::queue_limit + 2, 7));
  EXPECT_EQ(korvid::mousex(), mouse::queue_limit + 2);
  EXPECT_EQ(korvid::mousey(), 7);
  for (int i = 0; i < mouse::queue_limit; ++i) {
    ASSERT_EQ(take_click(mouse::right_up), std::make_pair(i, 7));
  }
  EXPECT_EQ(take_click(mouse::right_up), std::make_pair(-1, -1));
}

TEST(Mouse, TheWheelReportsItsSignedDelta) {
  const int id = korvid::initwindow(100, 100, "Wheel");
  Seen seen;
  korvid::registermousehandler(mouse::wheel, [&](int delta, int zero) { seen.add(delta, zero); });
  korvid::testing::turn_wheel(id, -120, 10, 10);  // towards the user
  korvid::testing::turn_wheel(id, 240, 10, 10);   // away, two notches
  EXPECT_EQ(seen.all(), (std::vector<std::pair<int, int>>{{-120, 0}, {240, 0}}));
  EXPECT_FALSE(korvid::ismouseclick(mouse::wheel));

  korvid::registermousehandler(mouse::wheel, {});  // removed
  korvid::testing::turn_wheel(id, 120, 10, 10);
  EXPECT_EQ(seen.all().size(), 2u);
}

TEST(Mouse, ButtonsAndDoubleClicksMapToTheirKinds) {
  const int id = korvid::initwindow(100, 100, "Kinds");
  std::vector<int> kinds;
  std::mutex lock;
  for (int kind = mouse::first; kind <= mouse::last; ++kind) {
    if (kind == mouse::move) continue;
    korvid::registermousehandler(kind, [&, kind](int, int) {
      std::lock_guard guard(lock);
      kinds.push_back(kind);
    });
  }
  korvid::testing::double_click(id, 5, 5);
  korvid::testing::click(id, 5, 5, 3);
  std::lock_guard guard(lock);
  EXPECT_EQ(kinds, (std::vector<int>{mouse::left_down, mouse::left_up, mouse::left_double,
                                     mouse::left_up, mouse::middle_down, mouse::middle_up}));
}

TEST(Mouse, KindsOutsideTheTableAreIgnored) {
  const int id = korvid::initwindow(100, 100, "Outside");
  bool called = false;
  korvid::registermousehandler(mouse::first - 1, [&](int, int) { called = true; });
  korvid::registermousehandler(mouse::last + 1, [&](int, int) { called = true; });
  korvid::testing::click(id, 1, 1);
  EXPECT_FALSE(called);
  EXPECT_FALSE(korvid::ismouseclick(mouse::last + 1));
  EXPECT_EQ(take_click(mouse::first - 1), std::make_pair(-1, -1));
}

TEST(Keys, ExtendedKeysReadAsZeroAndTheirCode) {
  const int id = korvid::initwindow(100, 100, "Keys");
  EXPECT_FALSE(korvid::kbhit());
  korvid::testing::press_extended_key(id, korvid::key::up);
  korvid::testing::type_keys(id, "a\r");
  korvid::testing::press_extended_key(id, korvid::key::f1 + 9);  // F10
  korvid::testing::press_extended_key(id, korvid::key::del);
  EXPECT_TRUE(korvid::kbhit());
  std::vector<int> codes;
  while (korvid::kbhit()) codes.push_back(korvid::getch());
  EXPECT_EQ(codes, (std::vector<int>{0, 72, 'a', '\r', 0, 68, 0, 83}));
}

TEST(Keys, GetchWaitsForAKeyAndTheBufferHolds511) {
  const int id = korvid::initwindow(100, 100, "Wait");
  std::thread typist([id] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    korvid::testing::type_keys(id, "z");
  });
  EXPECT_EQ(korvid::getch(), 'z');
  typist.join();

  korvid::testing::type_keys(id, std::string(600, 'k'));
  int count = 0;
  while (korvid::kbhit()) {
    korvid::getch();
    ++count;
  }
  EXPECT_EQ(count, korvid::key::buffer_limit);
}

TEST(Window, ResizingNeedsPermissionAndReachesTheProgram) {
  const int id = korvid::initwindow(200, 150, "Resize");
  korvid::testing::resize_window(id, 300, 250);  // fixed size: no border to drag
  EXPECT_EQ(korvid::getmaxx(), 199);

  std::atomic<int> calls{0};
  std::atomic<int> width_seen{0};
  korvid::enableresize([&] {
    ++calls;
    width_seen = korvid::getmaxx() + 1;
  });
  korvid::testing::resize_window(id, 320, 240);
  EXPECT_EQ(korvid::getmaxx(), 319);
  EXPECT_EQ(korvid::getmaxy(), 239);
  EXPECT_GE(calls, 1);
  EXPECT_EQ(width_seen, 320);  // the handler already sees the new size

  korvid::disableresize();
  const int before = calls;
  korvid::testing::resize_window(id, 400, 300);
  EXPECT_EQ(korvid::getmaxx(), 319);
  EXPECT_EQ(calls, before);
}

TEST(Window, TheSystemCloseCallbackCanKeepTheWindowOpen) {
  const int id = korvid::initwindow(100, 100, "Veto", default_position, default_position, false, false);
  std::atomic<int> verdict{0};
  std::atomic<int> asked{0};
  std::atomic<int> closed{0};
  korvid::setwindowsystemclosecallback([&] {
    ++asked;
    return verdict.load();
  });
  korvid::setwindowclosecallback([&] { ++closed; });

  korvid::testing::request_close(id);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(closed, 0);
  EXPECT_TRUE(korvid::isvalidwindow(id));
  EXPECT_TRUE(korvid::testing::window_visible(id));

  verdict = 1;
  korvid::testing::request_close(id);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(closed, 1);
  EXPECT_FALSE(korvid::isvalidwindow(id));
}

TEST(Window, ClosingWithoutEndingTheProcessWakesTheIdleWait) {
  const int closing = korvid::initwindow(100, 100, "Closing", default_position, default_position,
                                         false, false);
  const int waiting = korvid::initwindow(100, 100, "Waiting");
  std::thread closer([closing] { korvid::testing::request_close(closing); });
  korvid::loop();  // the current window's wait ends
  closer.join();
  EXPECT_FALSE(korvid::isvalidwindow(closing));
  EXPECT_TRUE(korvid::isvalidwindow(waiting));
  EXPECT_EQ(korvid::getcurrentwindow(), waiting);
}

}  // namespace
