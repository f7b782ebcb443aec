// The idle wait: a stop remembered, and a wake from a callback thread.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace {

using std::chrono::milliseconds;

TEST(IdleWait, AStopBeforeTheWaitIsRememberedOnce) {
  korvid::stopidle();  // no window yet: nobody to wake, and no process end
  const int id = korvid::initwindow(100, 100, "Idle");
  korvid::stopidle();
  korvid::stopidle();  // collapses with the first
  korvid::loop();      // returns at once
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(korvid::startidle(50), korvid::idle_timeout);
  EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(50));
  EXPECT_FALSE(korvid::testing::idle_waiting(id));
}

TEST(IdleWait, ACallbackThreadWakesTheWaitingProgram) {
  const int id = korvid::initwindow(100, 100, "Wake");
  std::atomic<bool> ran{false};
  const auto wake_once_waiting = [&] {
    while (!korvid::testing::idle_waiting(id)) std::this_thread::sleep_for(milliseconds(1));
    ran = true;
    korvid::stopidle();
  };
  korvid::testing::run_as_callback(id, wake_once_waiting);
  korvid::loop();
  EXPECT_TRUE(ran);
  // A wait with a time limit is cut short the same way.
  ran = false;
  korvid::testing::run_as_callback(id, wake_once_waiting);
  EXPECT_NE(korvid::startidle(60'000), korvid::idle_timeout);
  EXPECT_TRUE(ran);
}

}  // namespace
