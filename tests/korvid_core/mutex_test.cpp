// The library's mutexes. A wait that gives up at its limit is the event slot's
// reader (EventSlot.AReaderThatCannotLockGivesUpAndTheCodeStays).
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "korvid/internal/sync.h"
#include "korvid/korvid.h"

namespace {

using std::chrono::milliseconds;

// Tries the mutex from another thread, as a second party would.
int lock_elsewhere(int id, int limit) {
  return std::async(std::launch::async, [&] {
           const int got = korvid::lockmutex(id, limit);
           if (got) korvid::unlockmutex(id);
           return got;
         })
      .get();
}

TEST(Mutex, OnlyTheHolderReleasesItLevelByLevel) {
  const int id = korvid::createmutex();
  EXPECT_EQ(korvid::createmutex(), id + 1);
  EXPECT_EQ(korvid::lockmutex(id + 2, 0), 0);  // unknown identifiers never lock
  ASSERT_EQ(korvid::lockmutex(id), 1);
  ASSERT_EQ(korvid::lockmutex(id, 0), 1);
  korvid::unlockmutex(id);
  std::thread([id] { korvid::unlockmutex(id); }).join();  // not the holder: changes nothing
  EXPECT_EQ(lock_elsewhere(id, 0), 0);                     // still held once
  korvid::unlockmutex(id);
  korvid::unlockmutex(id);  // one release too many: ignored, not a broken lock
  EXPECT_EQ(lock_elsewhere(id, 0), 1);
  ASSERT_EQ(korvid::lockmutex(id, 0), 1);
  EXPECT_EQ(lock_elsewhere(id, 0), 0);
}

// The timed lock behind the control tables, which the thread sanitizer must see.
TEST(Mutex, TimedTableLockWaitsAtMostItsLimitAndPassesOnWhenReleased) {
  korvid::detail::TimedMutex mutex;
  std::unique_lock held(mutex);
  const auto lock_elsewhere = [&](milliseconds limit) {
    return std::async(std::launch::async, [&mutex, limit] { return std::unique_lock(mutex, limit).owns_lock(); });
  };
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(lock_elsewhere(milliseconds(50)).get());
  EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(50));
  auto waiter = lock_elsewhere(milliseconds(60'000));
  held.unlock();
  EXPECT_TRUE(waiter.get());
  EXPECT_TRUE(mutex.try_lock());
  EXPECT_FALSE(mutex.try_lock());
  mutex.unlock();
}

}  // namespace
