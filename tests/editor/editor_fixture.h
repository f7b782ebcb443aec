// An offscreen window set up as the program sets up its panels (event slot,
// a close box that only stores its code), a scratch folder, and a user who
// works a panel's controls: the control's callback stores its code and the
// panel acts on it, as its wait loop would.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>

#include "app/event_codes.h"
#include "app/platform.h"
#include "app/prefs.h"
#include "app/program_events.h"
#include "app/script_file.h"
#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace veltrim::testing {

namespace fs = std::filesystem;
namespace kt = korvid::testing;

inline void write_text(const std::string& file, std::string_view text) {
  std::ofstream(file, std::ios::binary) << text;
}

inline std::string read_text(const std::string& file) {
  std::stringstream text;
  text << std::ifstream(file, std::ios::binary).rdbuf();
  return text.str();
}

// Runs `save` while `folder` is read-only. Where permissions do not stop
// writing (tests run as root), files are also kept from growing, as on a full
// disk, so the save fails either way.
inline void with_unwritable_folder(const fs::path& folder, const std::function<void()>& save) {
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  auto handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit nothing = saved;
  nothing.rlim_cur = 0;
  if (::access(folder.c_str(), W_OK) == 0) setrlimit(RLIMIT_FSIZE, &nothing);
  save();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, handler);
  fs::permissions(folder, fs::perms::owner_all);
}

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = korvid::initwindow(800, 600, "Veltrim", 0, 0, true, false);
    ASSERT_GE(window, 0);
    events.init_event_mutex();
    korvid::setwindowsystemclosecallback([this] {
      events.set_event(event::close_requested);
      return 0;
    });
    kt::forget_dialogs();
  }
  void TearDown() override {
    korvid::closewindow(window);
    fs::remove_all(folder);
  }

  // Writes `text` to talk.gmi in the scratch folder and loads it.
  Script load(std::string_view text) {
    write_text(talk, text);
    Load_status status;
    Script loaded = load_script(talk, status);
    EXPECT_TRUE(status.ok()) << status.reason;
    return loaded;
  }

  std::string box(int id) { return korvid::gettextboxcontents(id); }
  void type(int id, std::string_view text) { korvid::settextboxcontents(id, text); }

  // The user presses a button, chooses a drop-down entry or selects a list
  // entry; the panel acts on the code. Returns true when the panel is done.
  template <typename Panel>
  bool press(Panel& panel, int button) {
    kt::click_control(window, button);
    return act_on_callback(panel);
  }
  template <typename Panel>
  bool choose(Panel& panel, int dropdown, int index) {
    kt::select_dropdown_entry(window, dropdown, index);
    return act_on_callback(panel);
  }
  template <typename Panel>
  bool select(Panel& panel, int list, int index) {
    kt::select_list_entry(window, list, index);
    return act_on_callback(panel);
  }
  // The user clicks the window's close box.
  template <typename Panel>
  void close_box(Panel& panel) {
    kt::request_close(window);
    kt::flush_window_thread();
    EXPECT_FALSE(panel.act(events.get_event())) << "a close request ended the panel";
  }

  int window = -1;
  ProgramEvents events;
  Preferences preferences;
  Platform platform;
  std::string folder_name = (fs::temp_directory_path() / "veltrim-editor-XXXXXX").string();
  fs::path folder = mkdtemp(folder_name.data());
  std::string talk = (folder / "talk.gmi").string();

 private:
  template <typename Panel>
  bool act_on_callback(Panel& panel) {
    kt::settle_callbacks(window);
    return panel.act(events.get_event());
  }
};

}  // namespace veltrim::testing
