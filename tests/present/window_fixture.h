// A window set up as the program sets it up for a presentation: the event slot,
// the click and resize handlers, the reading-view renderer, and a recorder in
// place of the desktop's URL opener.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "app/events/event_codes.h"
#include "app/present/presentation_loop.h"
#include "app/present/timepanel.h"
#include "app/system/prefs.h"
#include "app/events/program_events.h"
#include "app/present/kv_render.h"
#include "app/script/script.h"
#include "korvid/korvid.h"
#include "korvid/testing.h"
#include "korvid/testing_controls.h"
#include "tests/present/simulated_clock.h"

namespace veltrim::testing {

struct Planned_segment {
  std::string title;
  std::int32_t seconds = 0;
  std::string body;
};

inline Script make_script(std::initializer_list<Planned_segment> planned) {
  Script script;
  for (const Planned_segment& p : planned) {
    Segment segment;
    segment.set_title(p.title);
    segment.set_time_number(p.seconds);
    segment.set_content(p.body);
    script.script_add_segment(std::move(segment));
  }
  return script;
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = korvid::initwindow(1280, 800, "Veltrim", 0, 0, true, false);
    ASSERT_GE(window, 0);
    events.init_event_mutex();
    korvid::registermousehandler(korvid::mouse::left_up, [this](int x, int y) { events.mouse_button_event(x, y); });
    korvid::enableresize([this] { events.resize_event(); });
    renderer.initialize(window);
    korvid::testing::set_url_opener([this](std::string_view url) {
      opened.emplace_back(url);
      return true;
    });
  }

  void TearDown() override {
    korvid::testing::set_url_opener({});
    renderer.destroy_scrollbar();
    korvid::closewindow(window);
  }

  // A user's left click at a window point, handled before the call returns.
  void click(int x, int y) {
    korvid::testing::click(window, x, y);
    korvid::testing::flush_window_thread();
  }
  void click_middle(const Rect& rect) { click((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2); }
  void press(int button) {
    korvid::testing::click_control(window, button);
    korvid::testing::settle_callbacks(window);
  }

  int window = -1;
  ProgramEvents events;
  Korvid_renderer renderer{events};
  Preferences preferences;
  SimulatedClock clock;
  std::vector<std::string> opened;
};

// The same with a time panel, ready for the presentation loops: the total time
// not fixed, and a guard that ends a presentation that would never end.
class PresentationTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    preferences.time_mode = static_cast<std::int32_t>(TimeMode::unfixed);
    panel.init_timepanel(window, preferences, events);
    clock.at(std::chrono::hours{3}, [this] {
      ADD_FAILURE() << "the presentation did not end";
      events.set_event(event::exit);
    });
  }
  void TearDown() override {
    panel.destroy_timepanel();
    WindowTest::TearDown();
  }

  Timepanel panel;
  Presentation presentation{panel, renderer, preferences, clock, events};
};

}  // namespace veltrim::testing
