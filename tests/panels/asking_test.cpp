// Nothing is lost without a question, and what the user must read is in
// sight: Delete in the editor asks, an imported script counts as unsaved, and
// a converter's long complaint fits the import panel with its file name.
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

TEST_F(PanelTest, ALongConverterComplaintFitsThePanelWithItsFileName) {
  const std::filesystem::path deep = home / std::string(70, 'f') / std::string(70, 'g') / "keynote.md";
  kt::resize_window(window, 520, 600);  // a narrow window: the complaint is wider
  kt::flush_window_thread();
  events.get_event();
  ImportPanel panel(window, events, platform, preferences, current);
  kt::type_and_accept(deep.string());
  EXPECT_FALSE(panel.act(click(panel.controls().import)));
  EXPECT_NE(panel.failure_detail().find("keynote.md"), std::string::npos) << panel.failure_detail();
  const std::vector<std::string> lines = panel.failure_lines();
  EXPECT_GE(lines.size(), 2u);
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                          [](const std::string& line) { return line.find("keynote.md") != std::string::npos; }));
  // Nothing is drawn into the last columns of the window, where a line too
  // long for it would be cut off.
  const int right = korvid::getmaxx();
  for (int y = korvid::getmaxy() * 3 / 5; y < korvid::getmaxy() - 50; ++y) {
    for (int x = right - 4; x <= right; ++x) ASSERT_EQ(kt::visual_pixel(window, x, y), 0xFFFFFF) << x << ", " << y;
  }
}

}  // namespace
}  // namespace veltrim::testing
