// With the total fixed, a presentation ends when the start panel says it will,
// whatever lengths the script holds (segments of 0:00 or less run 45 seconds)
// and whatever the presenter does on the way, as long as the last segment is
// left at least its 5 seconds to run.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include "app/events/event_codes.h"
#include "app/present/presentation_loop.h"
#include "app/present/presentation_plan.h"
#include "app/present/timepanel.h"
#include "tests/present/window_fixture.h"

namespace veltrim::testing {
namespace {

using namespace std::chrono_literals;
using FixedTotalTest = WindowTest;

TEST_F(FixedTotalTest, EndsAtThePlannedTotalWheneverTheLastSegmentCanTakeUpTheDifference) {
  korvid::testing::resize_window(window, 480, 360);  // smaller frames draw sooner
  std::mt19937 random(20240517);
  const auto pick = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
  int checked = 0;
  for (int run = 0; run < 200; ++run) {
    Script script;
    std::string lengths;
    for (int i = pick(2, 5); i > 0; --i) {
      const int kind = pick(0, 9);
      Segment segment;
      segment.set_time_number(kind < 3 ? 0 : kind < 5 ? -pick(1, 90) : pick(1, 30));
      lengths += std::to_string(segment.time()) + " ";
      script.script_add_segment(std::move(segment));
    }
    preferences.time_mode = static_cast<std::int32_t>(run % 2 ? TimeMode::spread : TimeMode::next_segment);
    Timepanel panel;
    panel.init_timepanel(window, preferences, events);
    SimulatedClock clock;
    Presentation presentation{panel, renderer, preferences, clock, events};
    int elapsed = -1;  // the title's and the dial's seconds once the last segment is on
    int left = 0;
    // Every half second the presenter may skip, go back, pause or resume,
    // press "+" or "-", until the last segment is on.
    std::function<void()> act = [&] {
      if (!panel.next_name) {
        int minutes = 0;
        std::sscanf(korvid::testing::window_title(window).c_str(), "Veltrim - %d:%d", &minutes, &elapsed);
        elapsed += 60 * minutes;
        left = panel.remaining;
        events.set_event(event::exit);
        return;
      }
      const int choice = pick(0, 11);
      const Rect& r = choice == 3 ? panel.previous_rect : panel.next_rect;
      const auto dial = panel.time_center();
      if (choice <= 3) events.mouse_button_event((r.left + r.right) / 2, (r.top + r.bottom) / 2);
      if (choice == 4) events.mouse_button_event(dial.x, dial.y);
      if (choice == 5) events.set_event(event::add_time);
      if (choice == 6) events.set_event(event::take_time);
      clock.at(clock.elapsed() + 500ms, act);
    };
    clock.at(100ms, act);
    ASSERT_EQ(script_loop(presentation, script), presentation_left) << lengths;
    const int total = script.script_runtime();
    if (total - elapsed < shortest_running_seconds + 2) continue;
    ++checked;
    // The title, the dial and the time spent each count whole seconds.
    EXPECT_NEAR(elapsed + left, total, 2) << "lengths " << lengths << "elapsed " << elapsed;
  }
  EXPECT_GE(checked, 60);  // a good share of runs leave the last segment time enough
}

}  // namespace
}  // namespace veltrim::testing
