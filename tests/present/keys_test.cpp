// Presenting from the keyboard, and the dark and mirrored reading views, in
// simulated time on an offscreen window.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "app/events/event_codes.h"
#include "app/events/program_keys.h"
#include "app/present/presentation_loop.h"
#include "app/present/timepanel.h"
#include "korvid/testing_dialogs.h"
#include "korvid/testing_keys.h"
#include "tests/present/window_fixture.h"

namespace veltrim::testing {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
namespace key = korvid::key;

class KeysTest : public PresentationTest {
 protected:
  void SetUp() override {
    PresentationTest::SetUp();
    korvid::registerkeyhandler([this](const korvid::KeyPress& press) { return offer_key(events, press); });
  }
  void press(int code, int modifiers = 0) { korvid::testing::press_key(window, code, modifiers); }
  // The segment on show, by its neighbours' names.
  std::string where() const { return panel.previous_name.value_or("-") + "<>" + panel.next_name.value_or("-"); }
};

std::string lines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "Line " + std::to_string(i) + "\n";
  return text;
}

TEST_F(KeysTest, EachKeyActsAsTheClickOrButtonItStandsFor) {
  Script script = make_script({{"One", 100, lines(300)}, {"Two", 100, "b"}, {"Three", 100, "c"}});
  std::vector<std::string> seen;
  const auto note = [&](std::string what) { seen.push_back(std::move(what)); };
  clock.at(1s, [&] { press(key::extended(key::page_up)); });  // nothing before the first
  clock.at(2s, [&] {
    note(where());
    press(key::extended(key::down));
    press(key::extended(key::down));
  });
  clock.at(3s, [&] {
    note(std::to_string(-renderer.y / renderer.text_height("X", type_plain)) + (panel.autoscroll ? " on" : " off"));
    press('A');
    press('+');
    press('=');
    press('-');
  });
  clock.at(4s, [&] {
    note(std::to_string(panel.remaining) + (panel.autoscroll ? " on" : " off"));
    press(key::space);
  });
  clock.at(5s, [&] {
    note(panel.paused ? "paused" : "running");
    press(key::space);
    press(key::extended(key::right));
    press(key::extended(key::page_down));  // two keys within one pass both act
  });
  clock.at(6s, [&] {
    note(where());
    press(key::extended(key::left));
    press(key::escape);
  });
  clock.at(7s, [&] {
    note(where() + (panel.paused ? " paused" : " running"));
    korvid::testing::press_ok();
    press(key::extended(key::f1));  // the overview of the keys
    press(key::escape);
  });
  korvid::testing::forget_dialogs();
  EXPECT_EQ(script_loop(presentation, script), presentation_left);
  EXPECT_THAT(seen, ElementsAre("-<>Two", "2 off", "96 on", "paused", "Two<>-", "One<>Three paused"));
  EXPECT_NE(korvid::testing::last_dialog().text.find("F11: full screen on or off"), std::string::npos);
}

TEST_F(KeysTest, ABlankScreenKeepsCountingAndTheKeyThatEndsItDoesNothingElse) {
  Script script = make_script({{"One", 100, "Words to read"}, {"Two", 100, "More"}});
  const auto centre = [&] { return korvid::testing::visual_pixel(window, panel.time_center().x, panel.time_center().y); };
  int dial_blank = -1;
  std::vector<bool> visible;
  clock.at(1s, [&] { press('.'); });
  clock.at(5s, [&] {
    dial_blank = centre();
    visible.push_back(korvid::testing::control_visible(window, panel.exit_button));
    press(key::extended(key::page_down));  // ends the blank only
  });
  clock.at(6s, [&] {
    visible.push_back(korvid::testing::control_visible(window, panel.exit_button));
    press('B');
    press('B');
  });
  clock.at(7s, [&] { events.set_event(event::exit); });
  EXPECT_EQ(segment_loop(presentation, script.segment(1), 100, false, 0s).result, Segment_result::leave);
  EXPECT_EQ(dial_blank, korvid::black);
  EXPECT_THAT(visible, ElementsAre(false, true));
  EXPECT_EQ(panel.remaining, 93);  // the time ran on throughout
  EXPECT_FALSE(presentation.view.blank);  // the second B ended the blank the first began
}

TEST_F(KeysTest, CtrlWithPlusMinusAndZeroSizeTheTextForThisPresentationOnly) {
  Script script = make_script({{"One", 60, "text"}, {"Two", 60, "text"}});
  preferences.font_size = 120;
  std::vector<std::int32_t> sizes;
  clock.at(1s, [&] {
    for (int i = 0; i < 4; ++i) press('=', key::ctrl);
    press('+', key::ctrl | key::shift);
  });
  clock.at(2s, [&] {
    sizes.push_back(renderer.font_size);
    for (int i = 0; i < 3; ++i) press('-', key::ctrl);
  });
  clock.at(3s, [&] {
    sizes.push_back(renderer.font_size);
    press('0', key::ctrl);
  });
  clock.at(4s, [&] {
    sizes.push_back(renderer.font_size);
    events.set_event(event::exit);
  });
  EXPECT_EQ(run_presentation(script, renderer, preferences, clock, events), presentation_left);
  EXPECT_THAT(sizes, ElementsAre(largest_font_size, largest_font_size - 6, 120));
  EXPECT_EQ(preferences.font_size, 120);
}

// One row of the reading view's pixels through the first line of text.
std::vector<int> text_row(int window, int left, int right, int y) {
  std::vector<int> row;
  for (int x = left; x <= right; ++x) row.push_back(korvid::testing::visual_pixel(window, x, y));
  return row;
}

TEST_F(KeysTest, DarkAndMirroredViewsDrawTheSameWordsDarkAndTurnedRound) {
  Script script = make_script({{"One", 60, "=> https://example.org/talk Wording"}});
  std::vector<std::vector<int>> rows;
  std::vector<std::int32_t> link_hits;
  Rect link;
  const auto run = [&](bool dark, bool mirrored) {
    preferences.view.dark_view = dark;
    preferences.view.mirrored_view = mirrored;
    prepare_reading_view(renderer, preferences);
    SimulatedClock own_clock;
    Presentation run{panel, renderer, preferences, own_clock, events};
    own_clock.at(1s, [&] {
      link = renderer.links().at(0).area;
      const int y = (link.top + link.bottom) / 2;
      rows.push_back(text_row(window, renderer.bounds.left, renderer.bounds.right - renderer.scrollbar_width, y));
      const int mirrored_x = renderer.bounds.right - renderer.scrollbar_width - (link.left + link.right) / 2;
      link_hits = {renderer.link_at((link.left + link.right) / 2, y), renderer.link_at(mirrored_x, y)};
      events.set_event(event::exit);
    });
    segment_loop(run, script.segment(1), 60, false, 0s);
  };
  run(false, false);
  EXPECT_THAT(link_hits, ElementsAre(1, -1));
  run(true, false);
  run(true, true);
  EXPECT_THAT(link_hits, ElementsAre(-1, 1));  // the link is hit where it is drawn

  const std::vector<int>& light = rows[0];
  const std::vector<int>& dark = rows[1];
  const std::vector<int>& mirrored = rows[2];
  EXPECT_EQ(light.back(), korvid::white);
  EXPECT_EQ(dark.back(), dark_background_colour);
  EXPECT_NE(light[static_cast<std::size_t>(link.left)], dark[static_cast<std::size_t>(link.left)]);
  std::size_t inked = 0;
  for (std::size_t x = 0; x < dark.size(); ++x) {
    inked += dark[x] != dark_background_colour ? 1 : 0;
    ASSERT_EQ(mirrored[dark.size() - 1 - x], dark[x]) << "column " << x;
  }
  EXPECT_GT(inked, 20U);
}

}  // namespace
}  // namespace veltrim::testing
