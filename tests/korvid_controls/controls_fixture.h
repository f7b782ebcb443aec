// Every test opens a window of its own and records what its callbacks saw.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace controls_test {

// Counts the calls of a control callback and the threads they ran on.
class Recorder {
 public:
  korvid::ControlCallback callback() {
    return [this] {
      std::lock_guard lock(mutex_);
      threads_.push_back(std::this_thread::get_id());
    };
  }
  int calls() {
    std::lock_guard lock(mutex_);
    return static_cast<int>(threads_.size());
  }
  std::vector<std::thread::id> threads() {
    std::lock_guard lock(mutex_);
    return threads_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::thread::id> threads_;
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
    korvid::testing::flush_window_thread();
  }
  // Everything the user did has been handled and its callbacks have run.
  void settle() { korvid::testing::settle_callbacks(window); }

  int window = -1;
};

}  // namespace controls_test
