// The organize panel on an offscreen window: which moves are offered, what a
// move does to the script and the selection, saving the new order, the close
// box, and the controls going with the panel.
#include <gtest/gtest.h>

#include "app/events/event_codes.h"
#include "app/panels/organize_panel.h"
#include "korvid/korvid.h"
#include "korvid/testing.h"
#include "tests/panels/panel_fixture.h"

namespace veltrim::testing {
namespace {

namespace kt = korvid::testing;

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
  EXPECT_FALSE(panel.act(select(c.list, 2)));
  EXPECT_EQ(offered(c), std::tuple(true, false, 2));
  EXPECT_FALSE(panel.act(select(c.list, 1)));
  EXPECT_FALSE(panel.act(click(c.up)));
  EXPECT_EQ(order(script), (std::vector<std::string>{"Two", "One", "Three"}));
  EXPECT_EQ(korvid::getlistboxtext(c.list, 0), "Two");
  EXPECT_EQ(offered(c), std::tuple(false, true, 0));

  kt::press_no();
  EXPECT_FALSE(panel.act(close_box()));
  EXPECT_EQ(kt::last_dialog().text, "Discard the unsaved changes to talk.gmi?");
  EXPECT_TRUE(kt::window_visible(window));
  EXPECT_TRUE(script.changed());

  EXPECT_FALSE(panel.act(click(c.save)));
  EXPECT_FALSE(script.changed());
  EXPECT_EQ(read_text(talk), "# Two - 2:00\r\n\r\nsecond\r\n# One - 1:00\r\n\r\nfirst\r\n# Three - 3:00\r\n\r\nthird\r\n");
  EXPECT_TRUE(panel.act(click(c.back)));
}

TEST_F(OrganizeTest, MovingTheFirstUpOrTheLastDownChangesNothing) {
  Script script = load(three_segments);
  OrganizeControls gone;
  {
    OrganizePanel panel(window, script, events);
    const OrganizeControls& c = panel.controls();
    // The buttons are disabled there, but a code may still arrive from a press
    // made just before.
    EXPECT_FALSE(panel.act(select(c.list, 0)));
    EXPECT_FALSE(panel.act(event::move_up));
    EXPECT_EQ(offered(c), std::tuple(false, true, 0));
    EXPECT_FALSE(panel.act(select(c.list, 2)));
    EXPECT_FALSE(panel.act(event::move_down));
    EXPECT_EQ(offered(c), std::tuple(true, false, 2));
    gone = c;
  }
  EXPECT_EQ(order(script), (std::vector<std::string>{"One", "Two", "Three"}));
  EXPECT_FALSE(script.changed());
  for (const int id : {gone.back, gone.save_as, gone.save, gone.up, gone.down, gone.list})
    EXPECT_FALSE(kt::control_visible(window, id)) << "control " << id;
}

}  // namespace
}  // namespace veltrim::testing
