// The organize panel on an offscreen window: which moves are offered, what a
// move does to the script and the selection, saving the new order, the close
// box and the wait loop.
#include <gtest/gtest.h>

#include <thread>

#include "app/organize_panel.h"
#include "tests/editor/editor_fixture.h"

namespace veltrim::testing {
namespace {

constexpr std::string_view three_segments =
    "# One - 1:00\r\n\r\nfirst\r\n# Two - 2:00\r\n\r\nsecond\r\n# Three - 3:00\r\n\r\nthird\r\n";

class OrganizeTest : public PanelTest {
 protected:
  std::vector<std::string> order(const Script& script) {
    std::vector<std::string> titles;
    for (const Segment& segment : script.segments()) titles.push_back(*segment.title());
    return titles;
  }
  // Up and down as the user sees them, and the entry selected.
  std::tuple<bool, bool, int> offered(const OrganizeControls& c) {
    return {kt::control_enabled(window, c.up), kt::control_enabled(window, c.down),
            korvid::getlistboxselection(c.list)};
  }
};

TEST_F(OrganizeTest, TheSelectionFollowsTheMovedSegmentAndSaveWritesTheNewOrder) {
  Script script = load(three_segments);
  OrganizePanel panel(window, script, events);
  const OrganizeControls& c = panel.controls();
  EXPECT_EQ(korvid::getlistboxtext(c.list, 2), "Three");
  EXPECT_EQ(offered(c), std::tuple(false, false, -1));
  EXPECT_FALSE(select(panel, c.list, 2));
  EXPECT_EQ(offered(c), std::tuple(true, false, 2));
  EXPECT_FALSE(select(panel, c.list, 1));
  EXPECT_FALSE(press(panel, c.up));
  EXPECT_EQ(order(script), (std::vector<std::string>{"Two", "One", "Three"}));
  EXPECT_EQ(korvid::getlistboxtext(c.list, 0), "Two");
  EXPECT_EQ(offered(c), std::tuple(false, true, 0));
  EXPECT_TRUE(script.changed());

  EXPECT_FALSE(press(panel, c.save));
  EXPECT_FALSE(script.changed());
  EXPECT_EQ(read_text(talk), "# Two - 2:00\r\n\r\nsecond\r\n# One - 1:00\r\n\r\nfirst\r\n# Three - 3:00\r\n\r\nthird\r\n");
  EXPECT_TRUE(press(panel, c.back));
}

TEST_F(OrganizeTest, MovingTheFirstUpOrTheLastDownChangesNothing) {
  Script script = load(three_segments);
  OrganizePanel panel(window, script, events);
  const OrganizeControls& c = panel.controls();
  // The buttons are disabled there, but a code may still arrive from a press
  // made just before.
  EXPECT_FALSE(select(panel, c.list, 0));
  EXPECT_FALSE(panel.act(event::move_up));
  EXPECT_EQ(offered(c), std::tuple(false, true, 0));
  EXPECT_FALSE(select(panel, c.list, 2));
  EXPECT_FALSE(panel.act(event::move_down));
  EXPECT_EQ(offered(c), std::tuple(true, false, 2));
  EXPECT_EQ(order(script), (std::vector<std::string>{"One", "Two", "Three"}));
  EXPECT_FALSE(script.changed());
}

TEST_F(OrganizeTest, TheCloseBoxAsksFirstAndBackEndsTheWaitLoop) {
  Script script = load(three_segments);
  script.mark_changed();
  kt::request_close(window);
  std::thread user([this] {
    EXPECT_EQ(kt::wait_for_dialog().text, "Discard the unsaved changes to talk.gmi?");
    kt::press_no();
    events.set_event(event::exit);
  });
  EXPECT_EQ(handle_organize_panel(window, script, events), event::exit);
  user.join();
  EXPECT_TRUE(kt::window_visible(window));
  for (int id = 0; id < 6; ++id) EXPECT_FALSE(kt::control_visible(window, id)) << "control " << id;
}

}  // namespace
}  // namespace veltrim::testing
