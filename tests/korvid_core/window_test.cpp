#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace {

TEST(Window, OpensDoubleBufferedAndSwapsPages) {
  const int id = korvid::initwindow(320, 200, "Core", korvid::default_position,
                                    korvid::default_position, true, false);
  ASSERT_GE(id, 0);
  EXPECT_EQ(korvid::getmaxx(), 319);
  EXPECT_EQ(korvid::getmaxy(), 199);
  EXPECT_EQ(korvid::getactivepage(), 1);
  EXPECT_EQ(korvid::getvisualpage(), 0);
  korvid::swapbuffers();
  EXPECT_EQ(korvid::getactivepage(), 0);
  EXPECT_EQ(korvid::getvisualpage(), 1);
  EXPECT_EQ(korvid::testing::window_title(id), "Core");
  EXPECT_TRUE(korvid::testing::window_visible(id));
  EXPECT_EQ(korvid::testing::visual_pixel(id, 10, 10), 0);
}

TEST(Window, StopIdleBeforeLoopIsRememberedOnce) {
  ASSERT_GE(korvid::initwindow(100, 100, "Idle"), 0);
  korvid::stopidle();
  korvid::stopidle();
  korvid::loop();  // returns at once
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(korvid::startidle(50), korvid::idle_timeout);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
}

TEST(Window, ClickReachesHandlerOnWindowThread) {
  const int id = korvid::initwindow(100, 100, "Click");
  std::atomic<int> seen_x{-1};
  korvid::registermousehandler(korvid::mouse::left_up, [&](int x, int) {
    seen_x = x;
    korvid::stopidle();
  });
  std::thread([id] { korvid::testing::click(id, 42, 17); }).detach();
  korvid::loop();
  EXPECT_EQ(seen_x, 42);
  int x = 0, y = 0;
  korvid::getmouseclick(korvid::mouse::left_up, x, y);
  EXPECT_EQ(x, 42);
  EXPECT_EQ(y, 17);
  korvid::getmouseclick(korvid::mouse::left_up, x, y);
  EXPECT_EQ(x, -1);
}

}  // namespace
