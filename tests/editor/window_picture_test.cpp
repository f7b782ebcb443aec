// A picture of the editor as the user sees it, native controls included, kept
// in the test's folder as editor_window.png for a person to look at.
#include <gtest/gtest.h>

#include "app/editor_panel.h"
#include "korvid/testing_grab.h"
#include "tests/editor/editor_fixture.h"

namespace veltrim::testing {
namespace {

TEST_F(PanelTest, TheWindowGrabShowsTheControlsThePageDoesNot) {
  Script script = parse_script("# Welcome - 1:30\r\n\r\nGood morning.\r\n=> https://example.org Our site\r\n");
  EditorPanel panel(window, script, events, preferences, platform);
  ASSERT_TRUE(kt::save_window_grab(window, "editor_window.png"));
  EXPECT_FALSE(kt::save_window_grab(window + 1, "editor_window.png"));

  // Read the picture back onto a page nobody shows, pixel for pixel.
  const int back_x = korvid::getmaxx() - 115;
  const int back_y = korvid::getmaxy() - 25;
  const int active = korvid::getactivepage();
  korvid::setactivepage(2);
  ASSERT_TRUE(korvid::readimagefile("editor_window.png", 0, 0, korvid::getmaxx(), korvid::getmaxy()));
  const int grabbed_rule = korvid::getpixel(400, 50);
  const int grabbed_button = korvid::getpixel(back_x, back_y);
  korvid::setactivepage(active);
  // The rule under the top row is drawn: on the page and in the grab. The Back
  // button is native: in the grab only.
  EXPECT_EQ(kt::visual_pixel(window, 400, 50), korvid::black);
  EXPECT_EQ(grabbed_rule, korvid::black);
  EXPECT_EQ(kt::visual_pixel(window, back_x, back_y), korvid::white);
  EXPECT_NE(grabbed_button, korvid::white);
}

}  // namespace
}  // namespace veltrim::testing
