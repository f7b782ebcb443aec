// The panel sequence as a person meets it, on an offscreen window: the test
// runs the program's side on its own thread while a user on another presses
// the panels' buttons and answers their dialogs, and presentations run in
// simulated time.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/events/event_codes.h"
#include "app/events/program_events.h"
#include "app/panel_sequence.h"
#include "app/present/kv_render.h"
#include "app/program.h"
#include "korvid/korvid.h"
#include "korvid/testing.h"
#include "korvid/testing_controls.h"
#include "korvid/testing_dialogs.h"
#include "tests/present/simulated_clock.h"

namespace veltrim::testing {

namespace fs = std::filesystem;
namespace kt = korvid::testing;
using namespace std::chrono_literals;

// Control identifiers are never reused within a window, so every control the
// program ever made has an identifier below this.
constexpr int identifiers_to_scan = 400;

inline std::vector<std::string> visible_control_texts(int window) {
  std::vector<std::string> texts;
  for (int id = 0; id < identifiers_to_scan; ++id) {
    if (kt::control_visible(window, id)) texts.push_back(kt::control_text(window, id));
  }
  return texts;
}

// The newest control showing `text`, made after control `newer_than`.
inline int find_visible_control(int window, std::string_view text, int newer_than = -1) {
  for (int id = identifiers_to_scan - 1; id > newer_than; --id) {
    if (kt::control_visible(window, id) && kt::control_text(window, id) == text) return id;
  }
  return -1;
}

// Waits, as a user looks for a button, until the control shows; -1 when it
// never does (the limit only turns a hang into a failure).
inline int wait_for_control(int window, std::string_view text, int newer_than = -1) {
  for (int tries = 0; tries < 1000; ++tries) {
    if (const int id = find_visible_control(window, text, newer_than); id >= 0) return id;
    std::this_thread::sleep_for(10ms);
  }
  return -1;
}

// Presses the button showing `text`. Events that earlier callbacks still have
// on their way land first: the event slot keeps one code, so a late resize
// would otherwise take the place of the press.
inline void press(int window, std::string_view text) {
  kt::settle_callbacks(window);
  kt::click_control(window, find_visible_control(window, text));
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
  // on another. A user who gives up presses Exit, and agrees to drop what is
  // unsaved, so the sequence still ends.
  void run_with_user(const std::function<void()>& user) {
    std::thread person([&] {
      user();
      if (::testing::Test::HasFailure()) {
        kt::press_yes();
        events.set_event(event::exit);
      }
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

}  // namespace veltrim::testing
