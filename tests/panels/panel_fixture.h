// An offscreen window set up as the program sets it up for its panels, a
// scratch folder that serves as home, settings and temporary folder, and a
// user who works a panel's controls one at a time: the control's callback
// stores its code and the test hands the code to the panel, as its wait would.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "app/system/platform.h"
#include "app/system/prefs.h"
#include "app/events/program_events.h"
#include "app/script/script.h"
#include "tests/script/scratch.h"

namespace veltrim::testing {

// Runs `work` while `folder` takes no new files. The folder is made read-only;
// where that does not stop writing (the tests run as root), files are also
// kept from growing, as on a full disk, so a save fails either way.
void with_unwritable_folder(const std::filesystem::path& folder, const std::function<void()>& work);

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The user clicks control `id`, selects a list entry, chooses a drop-down
  // entry or clicks the window's close box; returns the code stored (0: none).
  int click(int id);
  int select(int list, int index);
  int choose(int dropdown, int index);
  int close_box();
  // Writes `text` to `talk` and loads it.
  Script load(std::string_view text);

  int window = -1;
  ProgramEvents events;
  Scratch_folder scratch_folder;
  std::filesystem::path home = scratch_folder.path;
  Platform platform;
  Preferences preferences;  // the defaults: spread, 30, 15, serif, 24
  Script current;           // the program's current script, asked about on close
  // Scripts have a folder of their own, so a test sees all a save left there.
  std::filesystem::path scripts;
  std::filesystem::path talk;

 private:
  int settled();
};

}  // namespace veltrim::testing
