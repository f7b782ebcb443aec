// Opening, closing and choosing windows; titles and icons.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace {

using korvid::default_position;

bool has(const std::vector<int>& sizes, int size) {
  return std::find(sizes.begin(), sizes.end(), size) != sizes.end();
}

TEST(Window, OpensWithItsSizeTitleAndPageArrangement) {
  const int id = korvid::initwindow(320, 200, "Core", default_position, default_position, true, false);
  ASSERT_EQ(id, 0);
  EXPECT_EQ(korvid::getcurrentwindow(), 0);
  EXPECT_EQ(korvid::getmaxx(), 319);
  EXPECT_EQ(korvid::getmaxy(), 199);
  EXPECT_EQ(korvid::testing::native_width(id), 320);
  EXPECT_EQ(korvid::testing::native_height(id), 200);
  EXPECT_GE(korvid::getmaxwidth(), 320);
  EXPECT_GE(korvid::getmaxheight(), 200);
  EXPECT_EQ(korvid::testing::window_title(id), "Core");
  EXPECT_TRUE(korvid::testing::window_visible(id));
  // Double buffered: drawing starts out of sight, on page 1.
  EXPECT_EQ(korvid::getactivepage(), 1);
  EXPECT_EQ(korvid::getvisualpage(), 0);
  EXPECT_EQ(korvid::testing::visual_pixel(id, 10, 10), 0);
}

TEST(Window, LeftOutFlagsRepeatTheLastOnesGiven) {
  ASSERT_GE(korvid::initwindow(100, 100), 0);
  EXPECT_EQ(korvid::getactivepage(), 0);  // at first: single buffered
  ASSERT_GE(korvid::initwindow(100, 100, "Two", default_position, default_position, true), 0);
  EXPECT_EQ(korvid::getactivepage(), 1);
  const int third = korvid::initwindow(100, 100);
  ASSERT_EQ(third, 2);
  EXPECT_EQ(korvid::getactivepage(), 1);
  EXPECT_EQ(korvid::testing::window_title(third), std::string(korvid::default_title));
}

TEST(Window, IdentifiersAreNeverReusedAndClosedWindowsAreIgnored) {
  ASSERT_EQ(korvid::initwindow(100, 100, "A"), 0);
  ASSERT_EQ(korvid::initwindow(100, 100, "B"), 1);
  korvid::closewindow(0);
  EXPECT_FALSE(korvid::isvalidwindow(0));
  EXPECT_TRUE(korvid::isvalidwindow(1));
  EXPECT_EQ(korvid::getcurrentwindow(), 1);  // closing another window keeps this one current
  korvid::setcurrentwindow(0);               // closed: nothing changes
  EXPECT_EQ(korvid::getcurrentwindow(), 1);

  EXPECT_EQ(korvid::initwindow(100, 100, "C"), 2);
  korvid::setcurrentwindow(1);
  EXPECT_EQ(korvid::getcurrentwindow(), 1);
  korvid::closewindow(korvid::current_window_id);
  EXPECT_EQ(korvid::getcurrentwindow(), korvid::no_current_window);
  korvid::closewindow(korvid::current_window_id);  // none current: nothing happens
  korvid::closewindow(3);                          // beyond the table: nothing happens
  EXPECT_TRUE(korvid::isvalidwindow(2));

  korvid::closewindow(korvid::all_windows_id);
  EXPECT_FALSE(korvid::isvalidwindow(2));
  EXPECT_FALSE(korvid::isvalidwindow(-1));
  EXPECT_EQ(korvid::initwindow(100, 100, "D"), 3);
}

TEST(Window, TitlesReachTheCaptionAndLongOnesAreCut) {
  const int id = korvid::initwindow(100, 100, "Veltrim");
  korvid::setwindowtitle("Veltrim - 12:34 elapsed");
  EXPECT_EQ(korvid::getwindowtitle(), "Veltrim - 12:34 elapsed");
  EXPECT_EQ(korvid::testing::window_title(id), "Veltrim - 12:34 elapsed");

  // 254 bytes and a two-byte character: cutting at 255 bytes would split it.
  const std::string long_title = std::string(254, 'a') + "\xC3\xA9" + "tail";
  const int second = korvid::initwindow(100, 100, long_title);
  EXPECT_EQ(korvid::testing::window_title(second), std::string(254, 'a'));
  EXPECT_EQ(korvid::getwindowtitle(), std::string(254, 'a'));
}

TEST(Window, LargeAndSmallIconsAreTwoSizesOfTheWindowIcon) {
  const int id = korvid::initwindow(100, 100, "Icons");
  EXPECT_TRUE(korvid::testing::window_icon_sizes(id).empty());
  korvid::setwindowlargeicon(10008);
  korvid::setwindowsmallicon(10008);
  auto sizes = korvid::testing::window_icon_sizes(id);
  EXPECT_TRUE(has(sizes, 32));
  EXPECT_TRUE(has(sizes, 16));

  korvid::setwindowlargeicon(-1);
  sizes = korvid::testing::window_icon_sizes(id);
  EXPECT_FALSE(has(sizes, 32));
  EXPECT_TRUE(has(sizes, 16));

  korvid::setwindowsmallicon(4242);  // no such resource: cleared, not a crash
  EXPECT_TRUE(korvid::testing::window_icon_sizes(id).empty());
}

TEST(Window, EnablingTakesOnlyOneAsYes) {
  const int id = korvid::initwindow(100, 100, "Enable");
  korvid::enablewindow(id, 2);
  EXPECT_FALSE(korvid::testing::window_enabled(id));
  korvid::enablewindow(id, 1);
  EXPECT_TRUE(korvid::testing::window_enabled(id));
}

}  // namespace
