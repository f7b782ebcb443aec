// Presentations run in simulated time on an offscreen window: results, titles,
// the carry of the time modes, "+" and "-", pausing, scrolling and clicks.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <tuple>

#include "app/events/event_codes.h"
#include "app/present/presentation_loop.h"
#include "app/present/timepanel.h"
#include "app/rehearsal/rehearsal_store.h"
#include "korvid/testing_dialogs.h"
#include "tests/present/window_fixture.h"
#include "tests/script/scratch.h"

namespace veltrim::testing {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using korvid::testing::control_enabled;

class LoopTest : public PresentationTest {
 protected:
  std::string title() { return korvid::testing::window_title(window); }
  void click_dial() {
    const auto centre = panel.time_center();
    click(centre.x, centre.y);
  }
};

TEST_F(LoopTest, ThreeSegmentsRunToTheEndAndTheLastWaitsAtZero) {
  // The first segment has no planned time and runs 45 seconds.
  Script script = make_script({{"One", 0, "first"}, {"Two", 10, "second"}, {"Three", 10, "third"}});
  std::vector<std::string> titles;
  std::vector<std::optional<std::string>> previous;
  std::tuple<std::int32_t, bool, bool> at_zero{-1, false, true};  // remaining, Exit enabled, next offered
  clock.at(5100ms, [&] { titles.push_back(title()); });
  clock.at(44900ms, [&] { previous.push_back(panel.previous_name); });
  clock.at(45100ms, [&] { previous.push_back(panel.previous_name); });
  clock.at(60100ms, [&] { titles.push_back(title()); });
  clock.at(66s, [&] {
    at_zero = {panel.remaining, control_enabled(window, panel.exit_button), panel.next_rect.is_valid()};
  });
  clock.at(75100ms, [&] {
    titles.push_back(title());  // the elapsed time goes on while the last segment waits
    events.set_event(event::take_time);
  });

  EXPECT_EQ(script_loop(presentation, script), presentation_finished);
  EXPECT_EQ(clock.elapsed(), 75100ms);
  EXPECT_THAT(titles, ElementsAre("Veltrim - 0:05 elapsed", "Veltrim - 1:00 elapsed", "Veltrim - 1:15 elapsed"));
  EXPECT_THAT(previous, ElementsAre(std::nullopt, "One"));
  EXPECT_EQ(at_zero, std::tuple(0, true, false));
  EXPECT_FALSE(control_enabled(window, panel.plus_button));
  EXPECT_TRUE(control_enabled(window, panel.exit_button));
}

TEST_F(LoopTest, EachTimeModeCarriesTheGainItsOwnWay) {
  // Five two-minute segments; the first ends thirty seconds early.
  for (const auto& [mode, expected] : {std::pair{TimeMode::unfixed, 119}, {TimeMode::spread, 129},
                                       {TimeMode::next_segment, 149}}) {
    preferences.time_mode = static_cast<std::int32_t>(mode);
    SimulatedClock own_clock;
    Presentation run{panel, renderer, preferences, own_clock, events};
    Script script = make_script({{"A", 120, "a"}, {"B", 120, "b"}, {"C", 120, "c"}, {"D", 120, "d"}, {"E", 120, "e"}});
    std::int32_t shown = 0;
    own_clock.at(90s, [&] { click_middle(panel.next_rect); });
    own_clock.at(90500ms, [&] {
      shown = panel.remaining;
      events.set_event(event::exit);
    });
    EXPECT_EQ(script_loop(run, script), presentation_left);
    EXPECT_EQ(shown, expected) << "time mode " << static_cast<int>(mode);
  }
}

TEST_F(LoopTest, TwoClicksWithinOnePassBothAct) {
  Script script = make_script({{"Aaa", 60, "a"}, {"Bbb", 60, "b"}, {"Ccc", 60, "c"}});
  std::optional<std::string> previous;
  clock.at(1s, [&] {
    const Rect next = panel.next_rect;
    click_middle(next);
    click_middle(next);
  });
  clock.at(1500ms, [&] {
    previous = panel.previous_name;
    events.set_event(event::exit);
  });
  EXPECT_EQ(script_loop(presentation, script), presentation_left);
  EXPECT_EQ(previous, "Bbb");
}

TEST_F(LoopTest, PlusAndMinusChangeTheTimeAndMinusPastZeroEndsAtOnce) {
  Script script = make_script({{"Only", 20, "text"}});
  panel.auto_advance = false;
  std::vector<std::int32_t> shown;
  clock.at(1s, [&] { press(panel.plus_button); });
  clock.at(1100ms, [&] { shown.push_back(panel.remaining); });
  clock.at(2s, [&] { press(panel.minus_button); });
  clock.at(2100ms, [&] { shown.push_back(panel.remaining); });
  clock.at(4s, [&] { press(panel.minus_button); });
  const Segment_run run = segment_loop(presentation, script.segment(1), 20, false, 0s);
  EXPECT_EQ(run.result, Segment_result::time_over);
  EXPECT_EQ(run.spent, 4s);
  EXPECT_THAT(shown, ElementsAre(20 + 15 - 1, 20 + 15 - 30 - 2));
}

TEST_F(LoopTest, PausingStopsTheClockAndTheNextSegmentStartsRunning) {
  Script script = make_script({{"One", 100, "a"}, {"Two", 60, "b"}});
  std::vector<std::int32_t> shown;
  std::vector<std::string> titles;
  std::vector<std::pair<bool, bool>> paused_and_exit;
  const auto record = [&] {
    shown.push_back(panel.remaining);
    titles.push_back(title());
    paused_and_exit.emplace_back(panel.paused, control_enabled(window, panel.exit_button));
  };
  clock.at(10s, [&] { click_dial(); });
  clock.at(10100ms, record);
  clock.at(70s, [&] { click_dial(); });
  clock.at(70100ms, record);  // a minute later, nothing moved
  clock.at(75s, [&] { click_dial(); });
  clock.at(76s, [&] { click_middle(panel.next_rect); });
  clock.at(78100ms, record);  // the next segment runs, and the dial and Exit say so
  clock.at(78200ms, [&] { press(panel.exit_button); });  // disabled while running
  clock.at(78300ms, [&] { press(panel.minus_button); });
  clock.at(78400ms, [&] { press(panel.minus_button); });
  EXPECT_EQ(script_loop(presentation, script), presentation_finished);
  EXPECT_THAT(shown, ElementsAre(90, 90, 58));
  EXPECT_THAT(titles, ElementsAre("Veltrim - 0:10 elapsed", "Veltrim - 0:10 elapsed", "Veltrim - 0:17 elapsed"));
  EXPECT_THAT(paused_and_exit, ElementsAre(std::pair{true, true}, std::pair{false, false}, std::pair{false, false}));
}

TEST_F(LoopTest, ScrollingByHandStopsAutoscrollUntilTheNextSegment) {
  std::string long_text;
  for (int i = 1; i <= 300; ++i) long_text += "Line " + std::to_string(i) + "\n";
  Script script = make_script({{"Long", 100, long_text}, {"Next", 100, long_text}});
  std::vector<std::int32_t> offsets;
  std::vector<bool> autoscroll;
  const auto record = [&] {
    offsets.push_back(-renderer.y);
    autoscroll.push_back(panel.autoscroll);
  };
  for (auto when : {25100ms, 75100ms, 80100ms, 90100ms, 95100ms, 96100ms}) clock.at(when, record);
  clock.at(80s, [&] {
    korvid::testing::turn_wheel(window, -240);
    korvid::testing::flush_window_thread();
  });
  clock.at(95s, [&] { click_middle(panel.next_rect); });
  clock.at(96s, [&] { korvid::testing::scroll(window, renderer.scrollbar, korvid::testing::ScrollAction::page_down); });
  clock.at(96200ms, [&] { events.set_event(event::exit); });
  EXPECT_EQ(script_loop(presentation, script), presentation_left);
  ASSERT_EQ(offsets.size(), 6U);
  EXPECT_GT(offsets[0], 0);
  // Half the time, half the text (give or take one pass of 200 ms in 100 s).
  const std::int32_t content = renderer.content_height;
  EXPECT_NEAR(offsets[1] - offsets[0], content / 2, content / 500 + 2);
  EXPECT_GT(offsets[2], offsets[1]);                        // the wheel scrolled on
  EXPECT_EQ(offsets[3], offsets[2]);                        // and autoscroll stopped
  EXPECT_EQ(offsets[4], 0);                                 // the next segment starts at its top
  EXPECT_GT(offsets[5], 0);                                 // scrolled by the bar
  EXPECT_THAT(autoscroll, ElementsAre(true, true, false, false, true, false));
}

TEST_F(LoopTest, ClicksReachLinksTheDialAndTheToggles) {
  // Web links and links to plain local documents open at once; a program, a
  // missing file or any other scheme only with consent.
  const std::filesystem::path notes = std::filesystem::temp_directory_path() / "veltrim-loop-notes.txt";
  std::ofstream(notes) << "notes";
  const std::string notes_url = "file://" + notes.string();
  Script script = make_script({{"Links", 60,
                                "=> https://example.org/talk Talk page\n=> gemini://example.org/x Capsule\n"
                                "=> " + notes_url + " Notes\n=> file:///bin/sh Shell\n"}});
  std::vector<bool> flags;
  const auto link = [&](std::size_t i) { click_middle(renderer.links().at(i).area); };
  clock.at(1s, [&] { link(0); });
  clock.at(1500ms, [&] { link(2); });
  clock.at(2s, [&] {
    korvid::testing::press_no();
    link(1);
  });
  clock.at(2500ms, [&] {
    korvid::testing::press_no();
    link(3);
  });
  clock.at(3s, [&] {
    korvid::testing::press_yes();
    link(1);
  });
  clock.at(3500ms, [&] {
    korvid::testing::set_url_opener([](std::string_view) { return false; });
    korvid::testing::press_ok();
    link(0);
  });
  clock.at(4s, [&] { click_middle(panel.autoscroll_rect); });
  clock.at(5s, [&] { click_middle(panel.auto_advance_rect); });
  clock.at(6s, [&] { click_dial(); });
  clock.at(6100ms, [&] { flags = {panel.autoscroll, panel.auto_advance, panel.paused}; });
  clock.at(7s, [&] { press(panel.exit_button); });
  korvid::testing::forget_dialogs();
  EXPECT_EQ(segment_loop(presentation, script.segment(1), 60, false, 0s).result, Segment_result::leave);
  std::filesystem::remove(notes);
  EXPECT_THAT(opened, ElementsAre("https://example.org/talk", notes_url, "gemini://example.org/x"));
  const auto dialogs = korvid::testing::shown_dialogs();
  ASSERT_EQ(dialogs.size(), 4U);
  EXPECT_EQ(dialogs[0].kind, korvid::testing::DialogKind::yes_no);
  EXPECT_EQ(dialogs[0].text, "Ask the system to open gemini://example.org/x in another program?");
  EXPECT_EQ(dialogs[1].text, "Ask the system to open file:///bin/sh in another program?");
  EXPECT_EQ(dialogs[3].text, "No program is set up to open https://example.org/talk.");
  EXPECT_THAT(flags, ElementsAre(false, false, true));
}

TEST_F(LoopTest, EveryLinkOnShowIsClickable) {
  std::string body;
  for (int i = 1; i <= 100; ++i) {
    body += "=> https://example.org/" + std::to_string(i) + " Link " + std::to_string(i) + "\n";
  }
  Script script = make_script({{"Many", 60, body}});
  renderer.font_size = smallest_font_size;
  korvid::testing::resize_window(window, 1280, 1200);
  std::size_t drawn = 0;
  clock.at(1s, [&] {
    drawn = renderer.links().size();
    click_middle(renderer.links().at(drawn - 1).area);
  });
  clock.at(2s, [&] { events.set_event(event::exit); });
  segment_loop(presentation, script.segment(1), 60, false, 0s);
  ASSERT_GT(drawn, 64U);
  EXPECT_THAT(opened, ElementsAre("https://example.org/" + std::to_string(drawn)));
}

TEST_F(LoopTest, NoScriptPreferenceOrWindowSizeBreaksTheLoop) {
  // A last segment with no time at all waits at zero, all of it used.
  Script script = make_script({{"Empty", 0, ""}, {"Huge", 60, ""}});
  clock.at(500ms, [&] { events.set_event(event::exit); });
  EXPECT_EQ(segment_loop(presentation, script.segment(1), 0, true, 0s).result, Segment_result::leave);
  EXPECT_EQ(panel.remaining, 0);

  std::string huge;
  for (int i = 0; i < 100'000; ++i) huge += "word after word after word\n";
  script.segment(2).set_content(huge);
  korvid::testing::resize_window(window, 1, 1);
  clock.at(1s, [&] { click(0, 0); });
  clock.at(2s, [&] { events.set_event(event::exit); });
  EXPECT_EQ(segment_loop(presentation, script.segment(2), 60, false, 0s).result, Segment_result::leave);
  EXPECT_GT(renderer.content_height, 100'000);
}

std::string words(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "word ";
  return text;
}

TEST_F(LoopTest, ARunIsKeptAsACsvFileNamedByItsStart) {
  Script script = make_script(
      {{"Welcome", 60, words(50)}, {"The plan", 30, words(30)}, {"Questions, \"live\"", 45, words(12)}});
  using namespace std::chrono;
  setenv("TZ", "UTC", 1);
  tzset();
  Rehearsal_recorder recorder(script, sys_days{2024y / 5 / 1} + 18h + 30min + 5s);
  clock.at(10s, [&] { click_dial(); });  // Welcome: paused 15 s, 15 s added, left for the next
  clock.at(25s, [&] { click_dial(); });
  clock.at(30s, [&] { press(panel.plus_button); });
  clock.at(40s, [&] { click_middle(panel.next_rect); });
  clock.at(50s, [&] { press(panel.minus_button); });  // The plan: 30 s taken ends it
  clock.at(55s, [&] { click_middle(panel.previous_rect); });  // Questions: back to The plan
  clock.at(65s, [&] { click_dial(); });
  clock.at(70s, [&] { press(panel.exit_button); });
  // The close box, answered "keep the program", sees The plan's second run so far.
  clock.at(60s, [&] { events.set_event(event::close_requested); });
  std::int32_t second_so_far = 0;
  Presentation recorded{panel, renderer, preferences, clock, events,
                        [&] { second_so_far = recorder.rehearsal().rows[1].actual; }, &recorder};
  EXPECT_EQ(script_loop(recorded, script), presentation_left);
  EXPECT_EQ(second_so_far, 10 + 5);

  Scratch_folder folder;
  ASSERT_TRUE(save_rehearsal(folder.path, recorder.started(), recorder.rehearsal()).written);
  EXPECT_EQ(read_text(folder.file("2024-05-01T18-30-05.csv")),
            "index,title,planned_seconds,actual_seconds,added_seconds,taken_seconds,paused_seconds,words,"
            "words_per_minute\n"
            "1,Welcome,60,25,15,0,15,50,120\n"
            "2,The plan,30,20,0,30,5,30,90\n"
            "3,\"Questions, \"\"live\"\"\",45,5,0,0,0,12,144\n"
            "total,,135,50,15,30,20,92,110\n");
}

TEST_F(LoopTest, RunPresentationLeavesTheWindowAsItFoundIt) {
  Script script = make_script({{"One", 60, "text"}});
  preferences.font_size = 100'000;
  std::int32_t font_size = 0;
  clock.at(100ms, [&] { font_size = renderer.font_size; });
  clock.at(1s, [&] { events.set_event(event::exit); });
  EXPECT_EQ(run_presentation(script, renderer, preferences, clock, events), presentation_left);
  EXPECT_EQ(std::tuple(font_size, title(), renderer.scrollbar), std::tuple(largest_font_size, "Veltrim", -1));
  Script empty;
  EXPECT_EQ(run_presentation(empty, renderer, preferences, clock, events), presentation_finished);
}

}  // namespace
}  // namespace veltrim::testing
