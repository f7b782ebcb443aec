// Nothing is lost without a question: Delete in the editor asks, and an
// imported script counts as unsaved.
#include <gtest/gtest.h>

#include "app/panels/editor_panel.h"
#include "app/panels/import_panel.h"
#include "app/panels/unsaved_changes.h"
#include "korvid/korvid.h"
#include "korvid/testing.h"
#include "tests/panels/panel_fixture.h"

namespace veltrim::testing {
namespace {

namespace kt = korvid::testing;

TEST_F(PanelTest, DeleteAsksFirstAndNoKeepsTheSegment) {
  Script script = load("# Welcome - 1:30\r\n\r\nHello\r\n# Questions - 5:00\r\n\r\nAny?\r\n");
  EditorPanel panel(window, script, events, preferences, platform);
  kt::press_no();
  EXPECT_FALSE(panel.act(click(panel.controls().delete_button)));
  EXPECT_EQ(kt::last_dialog().text, "Delete the segment Welcome?");
  EXPECT_EQ(kt::last_dialog().kind, kt::DialogKind::yes_no);
  EXPECT_EQ(kt::last_dialog().icon, kt::DialogIcon::warning);
  EXPECT_EQ(script.script_number_segments(), 2);
  EXPECT_FALSE(script.changed());
}

TEST_F(PanelTest, AnImportIsUnsavedWork) {
  const std::filesystem::path markdown = home / "notes.md";
  write_text(markdown, "## Opening - 1:00\n\nHello.\n");
  ImportPanel panel(window, events, platform, preferences, current);
  kt::type_and_accept(markdown.string());
  ASSERT_TRUE(panel.act(click(panel.controls().import)));
  Script imported = panel.take_result();
  ASSERT_FALSE(imported.script_is_empty());
  kt::press_no();
  EXPECT_FALSE(confirm_discard_changes(imported));
  EXPECT_EQ(kt::last_dialog().text, "Discard the unsaved changes to Untitled?");
}

}  // namespace
}  // namespace veltrim::testing
