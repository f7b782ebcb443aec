// A save that fails is reported, leaves the old file as it was, and does not
// move the script to a file that does not hold it.
#include <gtest/gtest.h>

#include "app/editor_panel.h"
#include "app/organize_panel.h"
#include "tests/editor/editor_fixture.h"

namespace veltrim::testing {
namespace {

constexpr std::string_view original = "# One - 1:00\r\n\r\nfirst\r\n# Two - 2:00\r\n\r\nsecond\r\n";

class FailedSaveTest : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    fs::create_directory(elsewhere.parent_path());
    script = load(original);
  }
  void expect_reported(const std::string& file) {
    const kt::ShownDialog shown = kt::last_dialog();
    EXPECT_EQ(shown.icon, kt::DialogIcon::error);
    const std::string prefix = "Could not save " + file + ": ";
    EXPECT_EQ(shown.text.substr(0, prefix.size()), prefix);
    EXPECT_GT(shown.text.size(), prefix.size()) << "no reason given";
  }
  // Save, then Save As... into a second folder, both while the folders take no files.
  template <typename Panel>
  void save_both_ways(Panel& panel, int save, int save_as) {
    kt::press_ok();
    with_unwritable_folder(folder, [&] { EXPECT_FALSE(press(panel, save)); });
    expect_reported(talk);
    EXPECT_EQ(read_text(talk), original);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 2) << "a half-written file was left behind";

    kt::type_and_accept(elsewhere.string());
    kt::press_ok();
    with_unwritable_folder(elsewhere.parent_path(), [&] { EXPECT_FALSE(press(panel, save_as)); });
    expect_reported(elsewhere.string());
    EXPECT_FALSE(fs::exists(elsewhere));
    EXPECT_EQ(script.filename(), talk);
    EXPECT_TRUE(script.changed()) << "a failed save counted as saved";
  }

  fs::path elsewhere = folder / "locked" / "new.gmi";
  Script script;
};

TEST_F(FailedSaveTest, TheEditorReportsItAndTheOldFileStays) {
  EditorPanel panel(window, script, events, preferences, platform);
  korvid::settextboxcontents(panel.controls().body_box, "rewritten\r\n");
  save_both_ways(panel, panel.controls().save, panel.controls().save_as);
  EXPECT_FALSE(press(panel, panel.controls().save));  // the folder takes files again
  EXPECT_EQ(read_text(talk), "# One - 1:00\r\n\r\nrewritten\r\n# Two - 2:00\r\n\r\nsecond\r\n");
}

TEST_F(FailedSaveTest, TheOrganizePanelReportsItAndTheOldFileStays) {
  OrganizePanel panel(window, script, events);
  EXPECT_FALSE(select(panel, panel.controls().list, 1));
  EXPECT_FALSE(press(panel, panel.controls().up));
  save_both_ways(panel, panel.controls().save, panel.controls().save_as);
}

}  // namespace
}  // namespace veltrim::testing
