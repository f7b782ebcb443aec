// The panel sequence as a person meets it, on an offscreen window: a user on
// another thread presses the start panel's buttons and answers its dialogs,
// while the presentation runs in simulated time with scripted clicks.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/events/event_codes.h"
#include "app/panel_sequence.h"
#include "app/program.h"
#include "app/events/program_events.h"
#include "app/present/kv_render.h"
#include "app/script/script_file.h"
#include "korvid/korvid.h"
#include "korvid/testing.h"
#include "korvid/testing_controls.h"
#include "korvid/testing_dialogs.h"
#include "tests/present/simulated_clock.h"

namespace veltrim::testing {
namespace {

namespace fs = std::filesystem;
namespace kt = korvid::testing;
using namespace std::chrono_literals;

// Control identifiers are never reused within a window, so every control the
// program ever made has an identifier below this.
constexpr int identifiers_to_scan = 400;

std::vector<std::string> visible_control_texts(int window) {
  std::vector<std::string> texts;
  for (int id = 0; id < identifiers_to_scan; ++id) {
    if (kt::control_visible(window, id)) texts.push_back(kt::control_text(window, id));
  }
  return texts;
}

// The newest control showing `text`, made after control `newer_than`.
int find_visible_control(int window, std::string_view text, int newer_than = -1) {
  for (int id = identifiers_to_scan - 1; id > newer_than; --id) {
    if (kt::control_visible(window, id) && kt::control_text(window, id) == text) return id;
  }
  return -1;
}

// Waits, as a user looks for a button, until the control shows; -1 when it
// never does (the limit only turns a hang into a failure).
int wait_for_control(int window, std::string_view text, int newer_than = -1) {
  for (int tries = 0; tries < 1000; ++tries) {
    if (const int id = find_visible_control(window, text, newer_than); id >= 0) return id;
    std::this_thread::sleep_for(10ms);
  }
  return -1;
}

// Presses the button showing `text`. Events that earlier callbacks still have
// on their way land first: the event slot keeps one code, so a late resize
// would otherwise take the place of the press.
void press(int window, std::string_view text) {
  kt::settle_callbacks(window);
  kt::click_control(window, find_visible_control(window, text));
}

// A coarse sample of the visual page where the start panel shows the summary.
std::vector<int> summary_pixels(int window) {
  std::vector<int> pixels;
  for (int y = 380; y < 560; y += 3) {
    for (int x = 150; x < 650; x += 3) pixels.push_back(kt::visual_pixel(window, x, y));
  }
  return pixels;
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = (fs::temp_directory_path() / "veltrim-program-XXXXXX").string();
    home = mkdtemp(name.data());
    platform.environment = {{"HOME", home.string()}, {"XDG_CONFIG_HOME", (home / "config").string()}};
    platform.program_directory = VELTRIM_PROGRAM_DIR;
    window = open_program_window(events);
    ASSERT_GE(window, 0);
    renderer.initialize(window);
    kt::forget_dialogs();
  }

  void TearDown() override {
    kt::forget_dialogs();
    korvid::closewindow(window);
    fs::remove_all(home);
  }

  fs::path write_script(const std::string& name, const std::string& text) {
    const fs::path file = home / name;
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }

  // Runs the panel sequence on this thread, the program's, while `user` acts
  // on another. A user who gives up presses Exit so the sequence still ends.
  void run_with_user(const std::function<void()>& user) {
    std::thread person([&] {
      user();
      if (::testing::Test::HasFailure()) events.set_event(event::exit);
    });
    ProgramState state{window, script, preferences, renderer, events, clock, platform};
    run_panel_sequence(state);
    person.join();
  }

  fs::path home;
  Platform platform;
  ProgramEvents events;
  int window = -1;
  Korvid_renderer renderer{events};
  Preferences preferences;
  SimulatedClock clock;
  Script script;
};

TEST_F(ProgramTest, PresentPauseLeaveOpenAndExit) {
  const fs::path first = write_script("first.gmi", "# One - 0:20\nfirst\n# Two - 0:20\nsecond\n# Three - 0:20\n");
  const fs::path second = write_script("second.gmi", "# Only - 10:00\nthe one segment\n");
  const fs::path broken = home / "broken.gmi";
  fs::create_directory(broken);  // a folder cannot be read as a script
  Load_status status;
  script = load_script(first.string(), status);
  ASSERT_TRUE(status.ok());

  // The presentation's side, in simulated time: the title counts (it shows
  // the last pass, and passes come every 200 ms), a click on the dial pauses,
  // a paused minute moves nothing, and Exit leads back.
  std::vector<std::string> titles;
  bool exit_enabled_when_paused = false;
  clock.at(100ms, [&] { titles.push_back(kt::window_title(window)); });
  clock.at(3500ms, [&] { titles.push_back(kt::window_title(window)); });
  clock.at(5s, [&] {
    // The dial's centre in the wide time panel along the window's bottom.
    const int panel = korvid::scaledpi(100);
    kt::click(window, 10 + (panel - 10) / 2, korvid::getmaxy() - panel + 5 + (panel - 10) / 2);
    kt::flush_window_thread();
  });
  clock.at(65s, [&] {
    titles.push_back(kt::window_title(window));
    const int exit = find_visible_control(window, "Exit");
    exit_enabled_when_paused = exit >= 0 && kt::control_enabled(window, exit);
    kt::click_control(window, exit);
    kt::settle_callbacks(window);
  });
  clock.at(3h, [&] {
    ADD_FAILURE() << "the presentation did not end";
    events.set_event(event::exit);
  });

  std::vector<std::string> controls_after_presenting;
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

  EXPECT_EQ(titles, (std::vector<std::string>{"Veltrim - 0:00 elapsed", "Veltrim - 0:03 elapsed",
                                              "Veltrim - 0:05 elapsed"}));
  EXPECT_TRUE(exit_enabled_when_paused);
  EXPECT_EQ(title_after_presenting, "Veltrim");
  const std::multiset<std::string> start_panel{"New", "Open...", "Import...", "Edit", "Preferences",
                                               "Start!", "Exit", "?"};
  EXPECT_EQ(std::multiset<std::string>(controls_after_presenting.begin(), controls_after_presenting.end()),
            start_panel);

  // The folder could not be opened: the user was told why, and the script
  // and its summary stayed as they were until a real script was chosen.
  EXPECT_EQ(failure.text.rfind("Could not open " + broken.string() + ": ", 0), 0u) << failure.text;
  EXPECT_EQ(name_after_failure, first.string());
  EXPECT_NE(std::count(summary_before.begin(), summary_before.end(), 0xFFFFFF),
            static_cast<std::ptrdiff_t>(summary_before.size()))
      << "the summary of the loaded script is drawn";
  EXPECT_EQ(summary_after_failure, summary_before);
  EXPECT_NE(summary_after_open, summary_before);
  EXPECT_EQ(script.filename(), second.string());
  EXPECT_EQ(script.script_number_segments(), 1);
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
