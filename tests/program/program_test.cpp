// The panel sequence as a person meets it, on an offscreen window: a user on
// another thread presses the start panel's buttons and answers its dialogs,
// while the presentation runs in simulated time with scripted clicks.
#include <algorithm>
#include <set>

#include "app/rehearsal/rehearsal_store.h"
#include "app/script/script_file.h"
#include "tests/program/program_fixture.h"

namespace veltrim::testing {
namespace {

// A coarse sample of the visual page where the start panel shows the summary.
std::vector<int> summary_pixels(int window) {
  std::vector<int> pixels;
  for (int y = 380; y < 560; y += 3) {
    for (int x = 150; x < 650; x += 3) pixels.push_back(kt::visual_pixel(window, x, y));
  }
  return pixels;
}

TEST_F(ProgramTest, PresentPauseLeaveOpenAndExit) {
  const fs::path first = write_script("first.gmi", "# One - 0:20\nfirst\n# Two - 0:20\nsecond\n# Three - 0:20\n");
  const fs::path second = write_script("second.gmi", "# Only - 10:00\nthe one segment\n");
  const fs::path broken = home / "broken.gmi";
  fs::create_directory(broken);  // a folder cannot be read as a script
  Load_status status;
  script = load_script(first.string(), status);
  ASSERT_TRUE(status.ok());

  // The presentation's side, in simulated time: the title counts (it shows the
  // last pass, and passes come every 200 ms), a click on the dial pauses, and
  // Exit, offered while paused, leads back. The rest is LoopTest's.
  std::string title_while_presenting;
  clock.at(3500ms, [&] {
    title_while_presenting = kt::window_title(window);
    // The dial's centre in the wide time panel along the window's bottom.
    const int panel = korvid::scaledpi(100);
    kt::click(window, 10 + (panel - 10) / 2, korvid::getmaxy() - panel + 5 + (panel - 10) / 2);
    kt::flush_window_thread();
  });
  clock.at(4s, [&] {
    kt::click_control(window, find_visible_control(window, "Exit"));
    kt::settle_callbacks(window);
  });
  clock.at(3h, [&] {
    ADD_FAILURE() << "the presentation did not end";
    events.set_event(event::exit);
  });

  std::multiset<std::string> controls_after_presenting;
  std::string title_after_presenting;
  kt::ShownDialog failure;
  std::string name_after_failure;
  std::vector<int> summary_before, summary_after_failure, summary_after_open;
  run_with_user([&] {
    const int first_panel = wait_for_control(window, "Start!");
    ASSERT_GE(first_panel, 0);
    press(window, "Start!");

    ASSERT_GE(wait_for_control(window, "Import...", first_panel), 0) << "the start panel did not come back";
    title_after_presenting = kt::window_title(window);
    controls_after_presenting = visible_control_texts(window);

    // While a file dialog is open the panel is fully drawn and stays still.
    press(window, "Open...");
    kt::wait_for_dialog();
    summary_before = summary_pixels(window);
    kt::type_and_accept(broken.string());
    failure = kt::wait_for_dialog();
    kt::press_ok();

    press(window, "Open...");
    kt::wait_for_dialog();
    summary_after_failure = summary_pixels(window);
    name_after_failure = script.filename();
    kt::type_and_accept(second.string());
    press(window, "Exit");
  });
  summary_after_open = summary_pixels(window);  // the panel redraws before it takes Exit

  EXPECT_EQ(std::tuple(title_while_presenting, title_after_presenting),
            std::tuple("Veltrim - 0:03 elapsed", "Veltrim"));
  EXPECT_EQ(controls_after_presenting, start_panel_buttons);

  // The folder could not be opened: the user was told why, and the script
  // and its summary stayed as they were until a real script was chosen.
  EXPECT_EQ(failure.text.rfind("Could not open " + broken.string() + ": ", 0), 0u) << failure.text;
  EXPECT_EQ(name_after_failure, first.string());
  EXPECT_NE(std::count(summary_before.begin(), summary_before.end(), 0xFFFFFF),
            static_cast<std::ptrdiff_t>(summary_before.size()))
      << "the summary of the loaded script is drawn";
  EXPECT_EQ(summary_after_failure, summary_before);
  EXPECT_NE(summary_after_open, summary_before);
  EXPECT_EQ(std::tuple(script.filename(), script.script_number_segments()), std::tuple(second.string(), 1));
}

TEST_F(ProgramTest, ARehearsalIsKeptAndReportedBeforeTheStartPanelReturns) {
  const fs::path talk = write_script("talk.gmi", "# Only - 0:10\nthe one segment\n");
  Load_status status;
  script = load_script(talk.string(), status);
  // The last segment waits at zero with Exit enabled.
  clock.at(12s, [&] {
    kt::click_control(window, find_visible_control(window, "Exit"));
    kt::settle_callbacks(window);
  });
  bool reported = false;
  run_with_user([&] {
    const int first_panel = wait_for_control(window, "Start!");
    press(window, "Start!");
    reported = wait_for_control(window, "Use as Plan", first_panel) >= 0;
    press(window, "Back");
    ASSERT_GE(wait_for_control(window, "Import...", first_panel), 0) << "Back did not lead to the start panel";
    press(window, "Exit");
  });
  EXPECT_TRUE(reported);
  const fs::path kept = rehearsal_folder(home / ".local" / "share" / "Veltrim" / "rehearsals", talk.string());
  EXPECT_EQ(load_rehearsals(kept).size(), 1u);
}

TEST_F(ProgramTest, AnEmptyScriptCannotBeStarted) {
  bool start_enabled = true;
  run_with_user([&] {
    const int start = wait_for_control(window, "Start!");
    ASSERT_GE(start, 0);
    press(window, "Open...");
    kt::wait_for_dialog();  // the panel has drawn and set its buttons' states
    start_enabled = kt::control_enabled(window, start);
    kt::cancel_dialog();
    press(window, "Exit");
  });
  EXPECT_FALSE(start_enabled);
}

}  // namespace
}  // namespace veltrim::testing
