// Double buffering: what is drawn where, and when it reaches the screen.
#include <gtest/gtest.h>

#include <tuple>

#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace {

using korvid::default_position;
using korvid::testing::screen_pixel;
constexpr int red = 0x0000FF;
constexpr int green = 0x00FF00;

int open_window() { return korvid::initwindow(160, 120, "Pages", default_position, default_position, true, false); }

TEST(Pages, DrawingOnTheBackPageStaysHiddenUntilTheSwap) {
  const int id = open_window();
  // The first paint of a newly shown window, so later counts start from it.
  korvid::testing::wait_for_paint_after(id, 0);
  const auto asked = korvid::testing::repaint_requests(id);
  korvid::testing::fill_active_page(id, 10, 10, 40, 40, red);
  EXPECT_EQ(korvid::testing::repaint_requests(id), asked);  // no repaint at all for hidden drawing
  EXPECT_EQ(std::tuple(korvid::testing::visual_pixel(id, 20, 20), screen_pixel(id, 20, 20)), std::tuple(0, 0));

  const auto frames = korvid::testing::painted_frames(id);
  korvid::swapbuffers();
  EXPECT_TRUE(korvid::testing::wait_for_paint_after(id, frames));
  EXPECT_EQ(std::tuple(korvid::testing::visual_pixel(id, 20, 20), screen_pixel(id, 20, 20), screen_pixel(id, 50, 50)),
            std::tuple(red, red, 0));

  // Drawing goes on on the page shown before, which still holds its old picture.
  EXPECT_EQ(std::tuple(korvid::getactivepage(), korvid::getvisualpage()), std::tuple(0, 1));
  korvid::testing::fill_active_page(id, 0, 0, 159, 119, green);
  EXPECT_EQ(screen_pixel(id, 20, 20), red);
  korvid::swapbuffers();
  EXPECT_EQ(std::tuple(korvid::getactivepage(), korvid::getvisualpage()), std::tuple(1, 0));
  EXPECT_EQ(screen_pixel(id, 20, 20), green);
}

}  // namespace
