// An offscreen window set up as the program sets it up for its panels, a
// scratch folder that serves as home, settings and temporary folder, and a
// user who presses a panel's controls one at a time: the control's callback
// stores its code and the panel acts on the code it takes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "app/platform.h"
#include "app/program_events.h"
#include "app/script.h"

namespace veltrim::testing {

struct ScratchFolder {
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  std::filesystem::path path;
};

void write_text(const std::filesystem::path& file, std::string_view text);
std::string read_text(const std::filesystem::path& file);

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The user clicks control `id`, chooses a list entry or a drop-down entry;
  // returns the code its callback stored (0 when none).
  int click(int id);
  int select(int list, int index);
  int choose(int dropdown, int index);
  // Saves a picture of the whole window under the build's test folder.
  void grab(std::string_view name);

  int window = -1;
  ProgramEvents events;
  ScratchFolder home;
  Platform platform;
  Script current;  // the program's current script, asked about on close
};

}  // namespace veltrim::testing

namespace veltrim::testing {

// Runs `work` while `folder` takes no new files. The folder is made read-only;
// where that does not stop writing (the tests run as root), files are also
// kept from growing, as on a full disk, so a save fails either way.
void with_unwritable_folder(const std::filesystem::path& folder, const std::function<void()>& work);

}  // namespace veltrim::testing
