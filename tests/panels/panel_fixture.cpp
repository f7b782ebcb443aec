#include "tests/panels/panel_fixture.h"

#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <fstream>
#include <sstream>

#include "app/event_codes.h"
#include "korvid/korvid.h"
#include "korvid/testing.h"
#include "korvid/testing_grab.h"

namespace veltrim::testing {

namespace kt = korvid::testing;

ScratchFolder::ScratchFolder() {
  std::string name = (std::filesystem::temp_directory_path() / "veltrim-panels-XXXXXX").string();
  path = mkdtemp(name.data());
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::permissions(path, std::filesystem::perms::owner_all, ignored);
  std::filesystem::remove_all(path, ignored);
}

void write_text(const std::filesystem::path& file, std::string_view text) {
  std::ofstream(file, std::ios::binary) << text;
}

std::string read_text(const std::filesystem::path& file) {
  std::stringstream text;
  text << std::ifstream(file, std::ios::binary).rdbuf();
  return text.str();
}

void with_unwritable_folder(const std::filesystem::path& folder, const std::function<void()>& work) {
  namespace fs = std::filesystem;
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  const bool permissions_bind = ::access(folder.c_str(), W_OK) != 0;
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  auto handler = std::signal(SIGXFSZ, SIG_IGN);
  if (!permissions_bind) {
    rlimit nothing = saved;
    nothing.rlim_cur = 0;
    setrlimit(RLIMIT_FSIZE, &nothing);
  }
  work();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, handler);
  fs::permissions(folder, fs::perms::owner_all);
}

void PanelTest::SetUp() {
  window = korvid::initwindow(800, 600, "Veltrim", 0, 0, true, false);
  ASSERT_GE(window, 0);
  events.init_event_mutex();
  korvid::enableresize([this] { events.resize_event(); });
  korvid::setwindowsystemclosecallback([this] {
    events.set_event(event::close_requested);
    return 0;
  });
  kt::forget_dialogs();
  platform.environment = {{"HOME", home.path.string()},
                          {"XDG_CONFIG_HOME", (home.path / "config").string()},
                          {"TEMP", (home.path / "tmp").string()}};
  std::filesystem::create_directories(home.path / "tmp");
  platform.program_directory = VELTRIM_PROGRAM_DIR;
}

void PanelTest::TearDown() {
  kt::forget_dialogs();
  korvid::closewindow(window);
}

int PanelTest::click(int id) {
  kt::click_control(window, id);
  kt::settle_callbacks(window);
  return events.get_event();
}

int PanelTest::select(int list, int index) {
  kt::select_list_entry(window, list, index);
  kt::settle_callbacks(window);
  return events.get_event();
}

int PanelTest::choose(int dropdown, int index) {
  kt::select_dropdown_entry(window, dropdown, index);
  kt::settle_callbacks(window);
  return events.get_event();
}

void PanelTest::grab(std::string_view name) {
  kt::save_window_grab(window, std::string(name) + ".png");
}

}  // namespace veltrim::testing
