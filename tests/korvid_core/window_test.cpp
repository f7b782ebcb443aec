// Opening a window; titles and icons.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace {

using korvid::default_position;

TEST(Window, OpensWithItsSizeTitleAndPageArrangement) {
  const int id = korvid::initwindow(320, 200, "Core", default_position, default_position, true, false);
  ASSERT_EQ(id, 0);
  EXPECT_EQ(korvid::getcurrentwindow(), 0);
  EXPECT_EQ(std::tuple(korvid::getmaxx(), korvid::getmaxy()), std::tuple(319, 199));
  EXPECT_EQ(std::tuple(korvid::testing::native_width(id), korvid::testing::native_height(id)), std::tuple(320, 200));
  EXPECT_EQ(korvid::testing::window_title(id), "Core");
  EXPECT_TRUE(korvid::testing::window_visible(id));
  // Double buffered: drawing starts out of sight, on page 1.
  EXPECT_EQ(std::tuple(korvid::getactivepage(), korvid::getvisualpage()), std::tuple(1, 0));
}

TEST(Window, TitlesReachTheCaptionAndLongOnesAreCut) {
  const int id = korvid::initwindow(100, 100, "Veltrim");
  korvid::setwindowtitle("Veltrim - 12:34 elapsed");
  EXPECT_EQ(korvid::getwindowtitle(), "Veltrim - 12:34 elapsed");
  EXPECT_EQ(korvid::testing::window_title(id), "Veltrim - 12:34 elapsed");
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
  korvid::setwindowlargeicon(-1);
  EXPECT_EQ(sizes(), std::vector<int>{16});
  korvid::setwindowsmallicon(4242);  // no such resource: cleared, not a crash
  EXPECT_TRUE(sizes().empty());
}

}  // namespace
