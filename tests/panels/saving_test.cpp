// A save that fails is reported, leaves the old file as it was, and does not
// move the script to a file that does not hold it. The organize panel saves
// through the same calls.
#include <gtest/gtest.h>

#include "app/panels/editor_panel.h"
#include "korvid/korvid.h"
#include "korvid/testing.h"
#include "tests/panels/panel_fixture.h"

namespace veltrim::testing {
namespace {

namespace fs = std::filesystem;
namespace kt = korvid::testing;

constexpr std::string_view original = "# One - 1:00\r\n\r\nfirst\r\n# Two - 2:00\r\n\r\nsecond\r\n";

class FailedSaveTest : public PanelTest {
 protected:
  void expect_reported(const fs::path& file) {
    const kt::ShownDialog shown = kt::last_dialog();
    EXPECT_EQ(shown.icon, kt::DialogIcon::error);
    const std::string prefix = "Could not save " + file.string() + ": ";
    EXPECT_EQ(shown.text.substr(0, prefix.size()), prefix);
    EXPECT_GT(shown.text.size(), prefix.size()) << "no reason given";
  }
};

// Save, then Save As... into a second folder, both while the folders take no files.
TEST_F(FailedSaveTest, TheEditorReportsItAndTheOldFileStays) {
  Script script = load(original);
  EditorPanel panel(window, script, events, preferences, platform);
  korvid::settextboxcontents(panel.controls().body_box, "rewritten\r\n");
  kt::press_ok();
  with_unwritable_folder(scripts, [&] { EXPECT_FALSE(panel.act(click(panel.controls().save))); });
  expect_reported(talk);
  EXPECT_EQ(read_text(talk), original);
  EXPECT_EQ(std::distance(fs::directory_iterator(scripts), {}), 1) << "a half-written file was left behind";

  const fs::path elsewhere = home / "locked" / "new.gmi";
  fs::create_directory(elsewhere.parent_path());
  kt::type_and_accept(elsewhere.string());
  kt::press_ok();
  with_unwritable_folder(elsewhere.parent_path(), [&] { EXPECT_FALSE(panel.act(click(panel.controls().save_as))); });
  expect_reported(elsewhere);
  EXPECT_FALSE(fs::exists(elsewhere));
  EXPECT_EQ(script.filename(), talk.string());
  EXPECT_TRUE(script.changed()) << "a failed save counted as saved";
  EXPECT_FALSE(panel.act(click(panel.controls().save)));  // the folder takes files again
  EXPECT_EQ(read_text(talk), "# One - 1:00\r\n\r\nrewritten\r\n# Two - 2:00\r\n\r\nsecond\r\n");
}

}  // namespace
}  // namespace veltrim::testing
