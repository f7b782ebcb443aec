// Opening a window; titles and icons; double buffering: what is drawn where,
// and when it reaches the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace {

using korvid::default_position;
using korvid::testing::screen_pixel;

TEST(Window, OpensWithItsSizeTitleAndPageArrangement) {
  const int id = korvid::initwindow(320, 200, "Core", default_position, default_position, true, false);
  ASSERT_EQ(std::tuple(id, korvid::getcurrentwindow()), std::tuple(0, 0));
  EXPECT_EQ(std::tuple(korvid::getmaxx(), korvid::getmaxy()), std::tuple(319, 199));
  EXPECT_EQ(std::tuple(korvid::testing::native_width(id), korvid::testing::native_height(id)), std::tuple(320, 200));
  EXPECT_EQ(std::tuple(korvid::testing::window_title(id), korvid::testing::window_visible(id)),
            std::tuple("Core", true));
  // Double buffered: drawing starts out of sight, on page 1.
  EXPECT_EQ(std::tuple(korvid::getactivepage(), korvid::getvisualpage()), std::tuple(1, 0));
}

TEST(Window, TitlesReachTheCaptionAndLongOnesAreCut) {
  const int id = korvid::initwindow(100, 100, "Veltrim");
  korvid::setwindowtitle("Veltrim - 12:34 elapsed");
  EXPECT_EQ(std::tuple(korvid::getwindowtitle(), korvid::testing::window_title(id)),
            std::tuple("Veltrim - 12:34 elapsed", "Veltrim - 12:34 elapsed"));
  // 254 bytes and a two-byte character: cutting at 255 bytes would split it.
  const int second = korvid::initwindow(100, 100, std::string(254, 'a') + "\xC3\xA9" + "tail");
  EXPECT_EQ(korvid::testing::window_title(second), std::string(254, 'a'));
}

TEST(Window, LargeAndSmallIconsAreTwoSizesOfTheWindowIcon) {
  const int id = korvid::initwindow(100, 100, "Icons");
  const auto sizes = [id] {
    auto all = korvid::testing::window_icon_sizes(id);
    std::sort(all.begin(), all.end());
    return all;
  };
  EXPECT_TRUE(sizes().empty());
  korvid::setwindowlargeicon(10008);
  korvid::setwindowsmallicon(10008);
  EXPECT_EQ(sizes(), (std::vector<int>{16, 32}));
}

constexpr int red = 0x0000FF;
constexpr int green = 0x00FF00;

TEST(Pages, DrawingOnTheBackPageStaysHiddenUntilTheSwap) {
  const int id = korvid::initwindow(160, 120, "Pages", default_position, default_position, true, false);
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
