// The report panel: its bars against the plan and the previous run, "Use as
// Plan", and which runs are kept and how a failed write is told.
#include <gtest/gtest.h>

#include "app/panels/report_panel.h"
#include "app/rehearsal/rehearsal_store.h"
#include "korvid/korvid.h"
#include "korvid/testing.h"
#include "tests/panels/panel_fixture.h"

namespace veltrim::testing {
namespace {

namespace fs = std::filesystem;
namespace kt = korvid::testing;
using namespace std::chrono_literals;

constexpr std::string_view three = "# Long - 1:00\nlong\n# Short - 2:00\nshort\n# On plan - 1:30\nright\n";

// A presentation of `script` whose segments ran so long, in order; 0 s: never reached.
Rehearsal_recorder recorded(const Script& script, std::initializer_list<std::chrono::seconds> ran,
                            Wall_time started = {}) {
  Rehearsal_recorder recorder(script, started);
  std::int32_t index = 0;
  for (const auto seconds : ran) {
    ++index;
    if (seconds == 0s) continue;
    recorder.segment_started(index);
    recorder.segment_ended({seconds});
  }
  return recorder;
}

class ReportPanelTest : public PanelTest {
 protected:
  fs::path rehearsals() const { return home / ".local" / "share" / "Veltrim" / "rehearsals"; }
  // The colour in the middle of row `row`'s bars where `seconds` end.
  int pixel(const Report_chart& chart, std::size_t row, std::int32_t seconds) const {
    return kt::visual_pixel(window, chart.x_of(seconds), (chart.band_top(row) + chart.band_bottom(row)) / 2);
  }
};

TEST_F(ReportPanelTest, BarsShowEachSegmentAgainstItsPlanAndThePreviousRun) {
  Script script = load(three);
  // Long ran 33 % over, Short 25 % under, On plan 2 % over; the run before took Long 70 s.
  const Rehearsal run = recorded(script, {80s, 90s, 92s}).rehearsal();
  Rehearsal previous = run;
  previous.rows[0].actual = 70;
  ReportPanel panel({window, script, events, platform}, run, previous);
  const Report_chart& chart = panel.chart();
  EXPECT_EQ(pixel(chart, 0, 30), korvid::creatergb(128, 0, 0));
  EXPECT_EQ(pixel(chart, 0, 76), korvid::creatergb(128, 0, 0)) << "the run's bar stops at the plan";
  EXPECT_EQ(pixel(chart, 0, 60), korvid::black) << "no outline of the plan";
  EXPECT_EQ(pixel(chart, 0, 70), previous_run_colour());
  EXPECT_EQ(pixel(chart, 1, 45), korvid::creatergb(255, 176, 0));
  EXPECT_EQ(pixel(chart, 1, 105), korvid::white) << "the plan is not an outline";
  EXPECT_EQ(pixel(chart, 1, 120), korvid::black);
  EXPECT_EQ(pixel(chart, 2, 45), korvid::creatergb(0, 128, 0));
}

TEST_F(ReportPanelTest, UseAsPlanTakesTheReachedTimesRoundedAndLeavesSavingToTheUser) {
  Script script = load(three);
  ReportPanel panel({window, script, events, platform}, recorded(script, {82s, 0s, 93s}).rehearsal(), std::nullopt);
  EXPECT_FALSE(script.changed());
  EXPECT_FALSE(panel.act(click(panel.controls().use_as_plan)));
  EXPECT_EQ(script.segment(1).time(), 80);
  EXPECT_EQ(script.segment(2).time(), 120) << "a segment never reached keeps its plan";
  EXPECT_EQ(script.segment(3).time(), 95);
  EXPECT_TRUE(script.changed());
  EXPECT_EQ(read_text(talk), three) << "saved behind the user's back";
  EXPECT_FALSE(kt::control_enabled(window, panel.controls().use_as_plan));
  EXPECT_TRUE(panel.act(click(panel.controls().back)));
}

TEST_F(ReportPanelTest, RunsOfTenSecondsAreKeptAndAFailedWriteSaysWhy) {
  Script script = load(three);
  review_rehearsal({window, script, events, platform}, recorded(script, {5s, 4s}));
  EXPECT_FALSE(fs::exists(rehearsals())) << "a run under 10 s was kept";
  EXPECT_TRUE(kt::shown_dialogs().empty());

  EXPECT_EQ(rehearsal_folder("/r", "/home/ann/talks/talk.gmi"), "/r/talk-64033e45");
  EXPECT_EQ(rehearsal_folder("/r", ""), "/r/untitled");
  const fs::path folder = rehearsal_folder(rehearsals(), talk.string());
  const Rehearsal_recorder first = recorded(script, {6s, 4s}, Wall_time{1000s});
  EXPECT_EQ(keep_rehearsal(rehearsals(), first), std::nullopt);
  EXPECT_EQ(keep_rehearsal(rehearsals(), first), std::nullopt) << "a run kept again is its own previous";
  EXPECT_EQ(keep_rehearsal(rehearsals(), recorded(script, {20s}, Wall_time{2000s})), first.rehearsal());

  kt::press_ok();
  with_unwritable_folder(folder, [&] { keep_rehearsal(rehearsals(), recorded(script, {30s}, Wall_time{3000s})); });
  const std::string reported = kt::last_dialog().text;
  const std::string prefix = "Could not save the rehearsal: cannot ";
  EXPECT_EQ(reported.substr(0, prefix.size()), prefix);
  EXPECT_NE(reported.find(folder.string()), std::string::npos) << reported;
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 2) << "a half-written file was left behind";
}

}  // namespace
}  // namespace veltrim::testing
