// The event slot between the window's handlers and callbacks and the program.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "app/events/event_codes.h"
#include "app/events/program_events.h"
#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;
using veltrim::ProgramEvents;
namespace event = veltrim::event;

class EventSlot : public testing::Test {
 protected:
  void SetUp() override {
    window_ = korvid::initwindow(200, 100, "Events");
    ASSERT_GE(window_, 0);
    events_.init_event_mutex();
  }
  int window_ = -1;
  ProgramEvents events_;
};

TEST_F(EventSlot, ACodeIsDeliveredOnceAndTheLastStoreWins) {
  EXPECT_EQ(events_.get_event(), event::none);
  events_.set_event(event::start);
  EXPECT_EQ(events_.get_event(), event::start);
  EXPECT_EQ(events_.get_event(), event::none);

  events_.set_event(event::add_time);
  events_.set_event(event::take_time);
  EXPECT_EQ(events_.get_event(), event::take_time);
  EXPECT_EQ(events_.get_event(), event::none);
}

TEST_F(EventSlot, AStoreFromACallbackThreadWakesTheWaitingProgram) {
  korvid::testing::run_as_callback(window_, [this] {
    std::this_thread::sleep_for(milliseconds(20));
    events_.set_event(event::edit);
  });
  korvid::loop();
  EXPECT_EQ(events_.get_event(), event::edit);

  // Storing 0 is a pure wake-up.
  korvid::testing::run_as_callback(window_, [this] { events_.set_event(event::none); });
  EXPECT_NE(korvid::startidle(60'000), korvid::idle_timeout);
  EXPECT_EQ(events_.get_event(), event::none);
}

TEST_F(EventSlot, AReaderThatCannotLockGivesUpAndTheCodeStays) {
  events_.set_event(event::exit);
  std::promise<void> held;
  std::promise<void> release;
  std::thread holder([&] {
    korvid::lockmutex(events_.event_mutex());
    held.set_value();
    release.get_future().wait();
    korvid::unlockmutex(events_.event_mutex());
  });
  held.get_future().wait();
  const auto start = steady_clock::now();
  EXPECT_EQ(events_.get_event(), event::none);
  EXPECT_GE(steady_clock::now() - start, milliseconds(ProgramEvents::reader_limit_ms));
  release.set_value();
  holder.join();
  EXPECT_EQ(events_.get_event(), event::exit);
}

TEST_F(EventSlot, TheWindowsHandlersStoreClicksAndResizes) {
  korvid::registermousehandler(korvid::mouse::left_up,
                               [this](int x, int y) { events_.mouse_button_event(x, y); });
  korvid::enableresize([this] { events_.resize_event(); });

  korvid::testing::click(window_, 37, 12);
  korvid::loop();
  EXPECT_EQ(events_.get_event(), event::click);
  EXPECT_EQ(events_.get_mouse_event_x(), 37);
  EXPECT_EQ(events_.get_mouse_event_y(), 12);

  korvid::testing::resize_window(window_, 300, 150);
  korvid::loop();
  EXPECT_EQ(events_.get_event(), event::resize);
}

TEST(EventSlotUnprepared, WithoutItsMutexTheSlotDropsStoresAndReadsNothing) {
  ProgramEvents events;
  EXPECT_EQ(events.event_mutex(), -1);
  events.set_event(event::start);
  EXPECT_EQ(events.get_event(), event::none);
}

}  // namespace
