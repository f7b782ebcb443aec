#include "tests/panels/panel_fixture.h"

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include "app/events/event_codes.h"
#include "app/script/script_file.h"
#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace veltrim::testing {

namespace fs = std::filesystem;
namespace kt = korvid::testing;

void with_unwritable_folder(const fs::path& folder, const std::function<void()>& work) {
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  auto handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit nothing = saved;
  nothing.rlim_cur = 0;
  if (::access(folder.c_str(), W_OK) == 0) setrlimit(RLIMIT_FSIZE, &nothing);
  work();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, handler);
  fs::permissions(folder, fs::perms::owner_all);
}

void PanelTest::SetUp() {
  scripts = home / "scripts";
  talk = scripts / "talk.gmi";
  fs::create_directories(home / "tmp");
  fs::create_directories(scripts);
  platform.environment = {
      {"HOME", home.string()}, {"XDG_CONFIG_HOME", (home / "config").string()}, {"TEMP", (home / "tmp").string()}};
  platform.program_directory = VELTRIM_PROGRAM_DIR;
  window = korvid::initwindow(800, 600, "Veltrim", 0, 0, true, false);
  ASSERT_GE(window, 0);
  events.init_event_mutex();
  korvid::enableresize([this] { events.resize_event(); });
  korvid::setwindowsystemclosecallback([this] {
    events.set_event(event::close_requested);
    return 0;
  });
  kt::forget_dialogs();
}

void PanelTest::TearDown() {
  kt::forget_dialogs();
  korvid::closewindow(window);
}

int PanelTest::settled() {
  kt::settle_callbacks(window);
  return events.get_event();
}

int PanelTest::click(int id) {
  kt::click_control(window, id);
  return settled();
}

int PanelTest::select(int list, int index) {
  kt::select_list_entry(window, list, index);
  return settled();
}

int PanelTest::choose(int dropdown, int index) {
  kt::select_dropdown_entry(window, dropdown, index);
  return settled();
}

int PanelTest::close_box() {
  kt::request_close(window);
  kt::flush_window_thread();
  return events.get_event();
}

Script PanelTest::load(std::string_view text) {
  write_text(talk, text);
  Load_status status;
  Script loaded = load_script(talk.string(), status);
  EXPECT_TRUE(status.ok()) << status.reason;
  return loaded;
}

}  // namespace veltrim::testing
