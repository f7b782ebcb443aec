// The event slot between the window's handlers and callbacks and the program.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>
#include <utility>
#include <vector>

#include "app/events/event_codes.h"
#include "app/events/program_events.h"
#include "app/events/program_keys.h"
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

TEST_F(EventSlot, CodesAreDeliveredOnceInTheOrderTheyCame) {
  EXPECT_EQ(events_.get_event(), event::none);
  events_.set_event(event::start);
  EXPECT_EQ(events_.get_event(), event::start);
  EXPECT_EQ(events_.get_event(), event::none);

  // A close request and a click within one pass both arrive, each click with its point.
  events_.set_event(event::close_requested);
  events_.mouse_button_event(10, 20);
  events_.mouse_button_event(30, 40);
  events_.set_event(event::none);  // a pure wake-up queues nothing
  EXPECT_EQ(events_.get_event(), event::close_requested);
  EXPECT_EQ(events_.get_event(), event::click);
  EXPECT_EQ(events_.get_mouse_event_x(), 10);
  EXPECT_EQ(events_.get_event(), event::click);
  EXPECT_EQ(events_.get_mouse_event_y(), 40);
  EXPECT_EQ(events_.get_event(), event::none);

  // Repeats that only say "something changed" merge; repeated actions do not.
  events_.resize_event();
  events_.resize_event();
  events_.set_event(event::add_time);
  events_.set_event(event::add_time);
  EXPECT_EQ(events_.get_event(), event::resize);
  EXPECT_EQ(events_.get_event(), event::add_time);
  EXPECT_EQ(events_.get_event(), event::add_time);
  EXPECT_EQ(events_.get_event(), event::none);

  // A program that stops taking codes cannot make the queue grow without end.
  for (std::size_t i = 0; i < ProgramEvents::capacity + 5; ++i) events_.set_event(event::add_time);
  std::size_t taken = 0;
  while (events_.get_event() != event::none) ++taken;
  EXPECT_EQ(taken, ProgramEvents::capacity);
}

TEST_F(EventSlot, WhileCodesWaitTheIdleWaitDoesNotSleep) {
  events_.set_event(event::cut);
  events_.set_event(event::paste);
  korvid::loop();  // spends the one remembered wake
  EXPECT_EQ(events_.get_event(), event::cut);
  // Without a new wake the second code would wait for the next user action.
  EXPECT_NE(korvid::startidle(60'000), korvid::idle_timeout);
  EXPECT_EQ(events_.get_event(), event::paste);
  EXPECT_EQ(korvid::startidle(1), korvid::idle_timeout);
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

TEST_F(EventSlot, KeysTravelInOrderEachWithItsKeyAndTypingStaysInTextBoxes) {
  namespace key = korvid::key;
  using korvid::KeyFocus;
  using veltrim::Key_action;
  using veltrim::Key_press;
  // Two presses of one key within a pass both arrive, as do different keys.
  const std::pair<korvid::KeyPress, bool> offers[] = {
      {{key::extended(key::page_down), 0, false, KeyFocus::control}, true},
      {{key::extended(key::page_down), 0, false, KeyFocus::window}, true},
      {{'B', 0, false, KeyFocus::text_box}, false},       // typed into the box
      {{key::space, 0, true, KeyFocus::window}, false},   // held down: pauses once only
      {{'Q', 0, false, KeyFocus::window}, false},         // means nothing
      {{'S', key::ctrl, false, KeyFocus::text_box}, true},
      {{'=', key::ctrl, false, KeyFocus::window}, true},
  };
  for (const auto& [press, taken] : offers) EXPECT_EQ(veltrim::offer_key(events_, press), taken) << press.code;
  std::vector<Key_action> actions;
  while (events_.get_event() == event::key) actions.push_back(veltrim::key_action(events_.get_key_event()));
  EXPECT_EQ(actions, (std::vector{Key_action::next_segment, Key_action::next_segment, Key_action::save,
                                  Key_action::text_larger}));
  EXPECT_EQ(veltrim::key_action(Key_press{'-', key::alt, false}), Key_action::none);
  EXPECT_EQ(veltrim::key_action(Key_press{key::extended(key::down), 0, true}), Key_action::scroll_on);
}

TEST(EventSlotUnprepared, WithoutItsMutexTheSlotDropsStoresAndReadsNothing) {
  ProgramEvents events;
  EXPECT_EQ(events.event_mutex(), -1);
  events.set_event(event::start);
  EXPECT_EQ(events.get_event(), event::none);
}

}  // namespace
