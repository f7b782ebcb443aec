// The idle wait, and which window a thread belongs to.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
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

TEST(ThreadList, NamesTheWindowAThreadBelongsTo) {
  const int first = korvid::initwindow(100, 100, "First");
  const int second = korvid::initwindow(100, 100, "Second");
  EXPECT_EQ(korvid::getsignallingwindow(), first);  // the opening thread belongs to both

  std::promise<int> from_callback;
  korvid::testing::run_as_callback(second, [&] { from_callback.set_value(korvid::getsignallingwindow()); });
  EXPECT_EQ(from_callback.get_future().get(), second);
  int from_stranger = 0;
  std::thread([&] { from_stranger = korvid::getsignallingwindow(); }).join();
  EXPECT_EQ(from_stranger, -1);

  // Handlers run on the window thread, which serves every window: the window
  // whose event it handles is the one named.
  int from_handler = -2;
  korvid::registermousehandler(korvid::mouse::left_up, [&](int, int) { from_handler = korvid::getsignallingwindow(); });
  korvid::testing::click(second, 1, 1);
  EXPECT_EQ(from_handler, second);
}

TEST(ThreadList, EndedCallbackThreadsArePruned) {
  const int id = korvid::initwindow(100, 100, "Prune");
  for (int i = 0; i < 60; ++i) {
    std::promise<void> done;
    korvid::testing::run_as_callback(id, [&] { done.set_value(); });
    done.get_future().wait();
  }
  // Threads that ended may still be listed, but never many more than the 20
  // the list keeps before it prunes.
  EXPECT_LE(korvid::testing::thread_list_size(id), 21);
  EXPECT_EQ(korvid::getsignallingwindow(), id);  // the opening thread is never pruned
}

}  // namespace
