// The import panel with the real converters: Markdown at a chosen heading
// level, a deck's slides and its notes, what a failing or missing converter
// shows, cancelling, the kind-dependent heading-level list, the scratch files
// left behind (none), and the idle wait's processor time.
#include <gtest/gtest.h>
#include <pthread.h>
#include <time.h>

#include <chrono>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "app/events/event_codes.h"
#include "app/system/external.h"
#include "app/panels/import_panel.h"
#include "app/script/script_file.h"
#include "korvid/korvid.h"
#include "korvid/testing.h"
#include "korvid/testing_controls.h"
#include "tests/panels/panel_fixture.h"

namespace veltrim::testing {
namespace {

namespace kt = korvid::testing;

class ImportPanelTest : public PanelTest {
 protected:
  bool scratch_is_empty() const { return std::filesystem::is_empty(home / "tmp"); }
  // The user presses Import and picks `file` in the dialog.
  int import_file(ImportPanel& panel, const std::filesystem::path& file) {
    kt::type_and_accept(file.string());
    return panel.act(click(panel.controls().import));
  }
};

TEST_F(ImportPanelTest, MarkdownAtLevelTwoMakesSegmentsWithTheirOwnLengths) {
  const std::filesystem::path markdown = home / "talk.md";
  std::string details;
  for (int i = 0; i < 260; ++i) details += "word ";
  write_text(markdown, "# Guide\n\nThree words here.\n\n## Opening - 2:00\n\nHello all.\n\n## Details\n\n" +
                           details + "\n\n### Aside\n\nStays inside details.\n");
  ImportPanel panel(window, events, platform, preferences, current);
  EXPECT_EQ(korvid::getdropdownlistselection(panel.controls().level_list), 1);
  EXPECT_TRUE(import_file(panel, markdown));
  const kt::ShownDialog asked = kt::last_dialog();
  EXPECT_EQ(asked.title, "Import Markdown");
  EXPECT_NE(asked.filters.at(0).find("*.md"), std::string::npos) << asked.filters.at(0);

  // Three words make the shortest estimate, "Opening" has its length in its
  // heading, and 260 words at 130 a minute take two minutes.
  Script script = panel.take_result();
  std::vector<std::pair<std::string, std::int32_t>> segments;
  for (const Segment& segment : script.segments()) segments.emplace_back(*segment.title(), segment.time());
  EXPECT_EQ(segments, (decltype(segments){{"Guide", 15}, {"Opening", 120}, {"Details", 120}}));
  EXPECT_TRUE(script.filename().empty()) << "an import is untitled, so a save asks for a name";
  EXPECT_TRUE(scratch_is_empty());
}

TEST_F(ImportPanelTest, TheWordsPerMinuteAreCheckedUsedAndKept) {
  const std::filesystem::path markdown = home / "talk.md";
  std::string words;
  for (int i = 0; i < 260; ++i) words += "word ";
  write_text(markdown, "# Talk\n\n" + words + "\n");
  ImportPanel panel(window, events, platform, preferences, current);
  const int box = panel.controls().rate_box;
  EXPECT_EQ(korvid::gettextboxcontents(box), "130");
  for (const std::string typed : {"abc", "59", "301", ""}) {
    korvid::settextboxcontents(box, typed);
    kt::press_ok();
    EXPECT_FALSE(panel.act(click(panel.controls().import)));
    EXPECT_EQ(kt::last_dialog().text, rate_refusal(typed));
    EXPECT_EQ(korvid::gettextboxcontents(box), typed) << "what was typed stays to be mended";
    EXPECT_TRUE(kt::control_enabled(window, panel.controls().import));
  }
  korvid::settextboxcontents(box, "200");
  EXPECT_TRUE(import_file(panel, markdown));
  EXPECT_EQ(panel.take_result().segment(1).time(), 75);  // 260 words at 200 a minute
  EXPECT_EQ(load_preferences(generate_prefs_filename(platform.environment)).words_per_minute, 200);
}

TEST_F(ImportPanelTest, ADeckImportsItsSlidesAndItsNotes) {
  const std::filesystem::path deck = std::filesystem::path(PANELS_FIXTURES) / "real-deck.pptx";
  std::string bodies[2];
  for (const int kind : {1, 2}) {
    ImportPanel panel(window, events, platform, preferences, current);
    EXPECT_FALSE(panel.act(choose(panel.controls().kind_list, kind)));
    EXPECT_TRUE(import_file(panel, deck));
    EXPECT_EQ(kt::last_dialog().title, "Import PowerPoint");
    Script script = panel.take_result();
    EXPECT_EQ(script.script_number_segments(), 5) << kind;
    bodies[kind - 1] = script_text(script);
    EXPECT_TRUE(scratch_is_empty());
  }
  EXPECT_NE(bodies[0], bodies[1]) << "notes imported the slides' own text";
}

TEST_F(ImportPanelTest, AFailedConversionSaysWhyAndKeepsThePanelOpen) {
  ImportPanel panel(window, events, platform, preferences, current);
  const ImportControls& c = panel.controls();
  // The converter complains about a file it cannot read.
  EXPECT_FALSE(import_file(panel, home / "gone.md"));
  EXPECT_EQ(panel.status(), "Import failed.");
  const std::string& detail = panel.failure_detail();
  EXPECT_TRUE(!detail.empty() && detail.size() <= longest_error_line && detail.find('\n') == std::string::npos);
  EXPECT_TRUE(kt::control_enabled(window, c.import));
  EXPECT_TRUE(scratch_is_empty());

  // Cancelling the file dialog clears the failure and leaves the panel open.
  kt::cancel_dialog();
  EXPECT_FALSE(panel.act(click(c.import)));
  EXPECT_EQ(std::tuple(panel.status(), kt::control_enabled(window, c.import)), std::tuple("", true));

  // A program folder without the converters.
  const std::filesystem::path file = home / "talk.md";
  write_text(file, "# Talk\n\nHello.\n");
  platform.program_directory = home;
  EXPECT_FALSE(import_file(panel, file));
  EXPECT_EQ(panel.status(), "Import failed.");
  EXPECT_TRUE(scratch_is_empty());
  EXPECT_TRUE(panel.act(click(c.back)));
  EXPECT_TRUE(panel.take_result().script_is_empty());
}

TEST_F(ImportPanelTest, SwitchingKindsRemakesTheHeadingLevelList) {
  ImportControls gone;
  {
    ImportPanel panel(window, events, platform, preferences, current);
    const int first = panel.controls().level_list;
    ASSERT_GE(first, 0);
    korvid::setdropdownlistselection(first, 3);
    EXPECT_FALSE(panel.act(choose(panel.controls().kind_list, 1)));
    EXPECT_EQ(std::tuple(panel.controls().level_list, kt::control_visible(window, first)), std::tuple(-1, false));
    EXPECT_FALSE(panel.act(choose(panel.controls().kind_list, 0)));
    const int second = panel.controls().level_list;
    ASSERT_GE(second, 0);
    EXPECT_EQ(korvid::getdropdownlistselection(second), 1);
    gone = panel.controls();
  }
  for (const int id : {gone.kind_list, gone.back, gone.import, gone.level_list}) {
    EXPECT_FALSE(kt::control_visible(window, id)) << id;
  }
}

double thread_seconds(pthread_t thread) {
  clockid_t clock{};
  pthread_getcpuclockid(thread, &clock);
  timespec used{};
  clock_gettime(clock, &used);
  return static_cast<double>(used.tv_sec) + static_cast<double>(used.tv_nsec) / 1e9;
}

TEST_F(ImportPanelTest, TheIdlePanelUsesAlmostNoProcessorTime) {
  Script imported;
  int code = 0;
  std::thread panel([&] { code = handle_import_panel(window, imported, events, platform, preferences, current); });
  // The panel's controls are the window's first; wait until it is up.
  while (!kt::control_visible(window, 2)) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  const double before = thread_seconds(panel.native_handle());
  std::this_thread::sleep_for(std::chrono::seconds(1));
  const double used = thread_seconds(panel.native_handle()) - before;
  kt::click_control(window, 1);  // Back
  panel.join();
  EXPECT_EQ(std::tuple(code, imported.script_is_empty()), std::tuple(event::exit, true));
  // Waiting costs a few milliseconds (about 0.008 s); a panel that polls gets
  // a tenth of a second or more even on a machine loaded twentyfold.
  EXPECT_LT(used, 0.05) << "seconds of processor time in one idle second";
  RecordProperty("idle_cpu_seconds", std::to_string(used));
}

}  // namespace
}  // namespace veltrim::testing
