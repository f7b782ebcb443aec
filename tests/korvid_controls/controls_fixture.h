// Every test opens a window of its own and records what its callbacks saw.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <mutex>
#include <thread>
#include <tuple>
#include <vector>

#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace controls_test {

namespace kt = korvid::testing;

// What a control's callbacks saw: the thread of every call and, from a scroll
// bar, the position reported. Read it once the calls have settled.
struct Recorder {
  std::mutex mutex;  // callbacks of several controls may run at once
  std::vector<std::thread::id> threads;
  std::vector<int> positions;

  korvid::ControlCallback callback() {
    return [this] {
      std::lock_guard lock(mutex);
      threads.push_back(std::this_thread::get_id());
    };
  }
  korvid::ScrollCallback scroll_callback() {
    return [this](int position) {
      std::lock_guard lock(mutex);
      threads.push_back(std::this_thread::get_id());
      positions.push_back(position);
    };
  }
  int calls() const { return static_cast<int>(threads.size()); }
};

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = korvid::initwindow(480, 360, "Controls", korvid::default_position, korvid::default_position,
                                false, false);
    ASSERT_EQ(window, 0);
  }
  // Nothing is left to paint while the process ends.
  void TearDown() override {
    settle();
    korvid::closewindow(window);
    kt::flush_window_thread();
  }
  // Everything the user did has been handled and its callbacks have run.
  void settle() { kt::settle_callbacks(window); }

  int window = -1;
};

}  // namespace controls_test
