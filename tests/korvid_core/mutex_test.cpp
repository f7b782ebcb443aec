// The library's mutexes.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "korvid/korvid.h"

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// Tries the mutex from another thread, as a second party would.
int lock_elsewhere(int id, int limit) {
  return std::async(std::launch::async, [&] {
           const int got = korvid::lockmutex(id, limit);
           if (got) korvid::unlockmutex(id);
           return got;
         })
      .get();
}

TEST(Mutex, IdentifiersCountUpAndUnknownOnesNeverLock) {
  const int first = korvid::createmutex();
  EXPECT_EQ(korvid::createmutex(), first + 1);
  EXPECT_EQ(korvid::lockmutex(first + 2, 0), 0);
  EXPECT_EQ(korvid::lockmutex(-1, 0), 0);
  korvid::unlockmutex(first + 2);  // harmless
}

TEST(Mutex, TheHolderMayLockAgainAndReleasesLevelByLevel) {
  const int id = korvid::createmutex();
  ASSERT_EQ(korvid::lockmutex(id), 1);
  ASSERT_EQ(korvid::lockmutex(id, 0), 1);
  korvid::unlockmutex(id);
  EXPECT_EQ(lock_elsewhere(id, 0), 0);  // still held once
  korvid::unlockmutex(id);
  EXPECT_EQ(lock_elsewhere(id, 0), 1);
}

TEST(Mutex, AWaitGivesUpAfterItsLimit) {
  const int id = korvid::createmutex();
  ASSERT_EQ(korvid::lockmutex(id), 1);
  const auto start = steady_clock::now();
  EXPECT_EQ(lock_elsewhere(id, 80), 0);
  EXPECT_GE(steady_clock::now() - start, milliseconds(80));
  korvid::unlockmutex(id);
}

TEST(Mutex, AWaiterGetsTheMutexOnceReleased) {
  const int id = korvid::createmutex();
  ASSERT_EQ(korvid::lockmutex(id), 1);
  auto waiter = std::async(std::launch::async, [id] {
    const int got = korvid::lockmutex(id, 60'000);
    korvid::unlockmutex(id);
    return got;
  });
  std::this_thread::sleep_for(milliseconds(20));
  korvid::unlockmutex(id);
  EXPECT_EQ(waiter.get(), 1);
}

TEST(Mutex, ReleaseByAThreadThatDoesNotHoldItChangesNothing) {
  const int id = korvid::createmutex();
  ASSERT_EQ(korvid::lockmutex(id), 1);
  std::thread([id] { korvid::unlockmutex(id); }).join();
  EXPECT_EQ(lock_elsewhere(id, 0), 0);  // still ours
  korvid::unlockmutex(id);
  korvid::unlockmutex(id);  // one release too many: ignored, not a broken lock
  EXPECT_EQ(lock_elsewhere(id, 0), 1);
  ASSERT_EQ(korvid::lockmutex(id, 0), 1);
  EXPECT_EQ(lock_elsewhere(id, 0), 0);
  korvid::unlockmutex(id);
}

}  // namespace
