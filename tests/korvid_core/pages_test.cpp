// The four pages: what is drawn where, and when it reaches the screen.
#include <gtest/gtest.h>

#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace {

using korvid::default_position;
using korvid::testing::screen_pixel;
constexpr int red = 0x0000FF;
constexpr int green = 0x00FF00;

int open_window(bool double_buffer) {
  return korvid::initwindow(160, 120, "Pages", default_position, default_position, double_buffer, false);
}

TEST(Pages, DrawingOnTheBackPageStaysHiddenUntilTheSwap) {
  const int id = open_window(true);
  // The first paint of a newly shown window, so later counts start from it.
  korvid::testing::wait_for_paint_after(id, 0);
  const auto asked = korvid::testing::repaint_requests(id);
  korvid::testing::fill_active_page(id, 10, 10, 40, 40, red);
  EXPECT_EQ(korvid::testing::repaint_requests(id), asked);  // no repaint at all for hidden drawing
  EXPECT_EQ(korvid::testing::visual_pixel(id, 20, 20), 0);
  EXPECT_EQ(screen_pixel(id, 20, 20), 0);

  const auto frames = korvid::testing::painted_frames(id);
  korvid::swapbuffers();
  EXPECT_TRUE(korvid::testing::wait_for_paint_after(id, frames));
  EXPECT_EQ(korvid::testing::visual_pixel(id, 20, 20), red);
  EXPECT_EQ(screen_pixel(id, 20, 20), red);
  EXPECT_EQ(screen_pixel(id, 50, 50), 0);

  // Drawing goes on on the page shown before, which still holds its old picture.
  EXPECT_EQ(korvid::getactivepage(), 0);
  EXPECT_EQ(korvid::getvisualpage(), 1);
  korvid::testing::fill_active_page(id, 0, 0, 159, 119, green);
  EXPECT_EQ(screen_pixel(id, 20, 20), red);
  korvid::swapbuffers();
  EXPECT_EQ(korvid::getactivepage(), 1);
  EXPECT_EQ(korvid::getvisualpage(), 0);
  EXPECT_EQ(screen_pixel(id, 20, 20), green);
}

TEST(Pages, OnlyPagesZeroToThreeCanBeChosenAndTheVisualPageIsShown) {
  const int id = open_window(true);
  korvid::setactivepage(4);
  korvid::setvisualpage(-1);
  EXPECT_EQ(korvid::getactivepage(), 1);
  EXPECT_EQ(korvid::getvisualpage(), 0);

  korvid::setactivepage(3);
  korvid::testing::fill_active_page(id, 0, 0, 99, 99, green);
  korvid::setvisualpage(3);
  EXPECT_EQ(korvid::getvisualpage(), 3);
  EXPECT_EQ(screen_pixel(id, 50, 50), green);
}

TEST(Pages, RepaintsFollowTheRefreshSwitchAndTheShownPage) {
  const int id = open_window(false);
  korvid::swapbuffers();  // needs double buffering: nothing changes
  EXPECT_EQ(korvid::getactivepage(), 0);
  EXPECT_EQ(korvid::getvisualpage(), 0);
  // Active and visual page are one: drawing shows at once.
  auto asked = korvid::testing::repaint_requests(id);
  korvid::testing::fill_active_page(id, 0, 0, 9, 9, red);
  EXPECT_EQ(korvid::testing::repaint_requests(id), asked + 1);

  korvid::setrefreshing(false);
  EXPECT_FALSE(korvid::getrefreshing());
  asked = korvid::testing::repaint_requests(id);
  korvid::testing::fill_active_page(id, 0, 0, 9, 9, green);
  EXPECT_EQ(korvid::testing::repaint_requests(id), asked);
  korvid::refreshrect(9, 9, 0, 0);  // an explicit refresh ignores the switch
  EXPECT_EQ(korvid::testing::repaint_requests(id), asked + 1);
  EXPECT_EQ(screen_pixel(id, 5, 5), green);

  korvid::setrefreshing(true);
  korvid::setactivepage(2);  // drawing out of sight now: nothing to repaint
  asked = korvid::testing::repaint_requests(id);
  korvid::testing::fill_active_page(id, 0, 0, 9, 9, red);
  korvid::refreshall();
  korvid::refreshrect(0, 0, 9, 9);
  EXPECT_EQ(korvid::testing::repaint_requests(id), asked);
}

}  // namespace
