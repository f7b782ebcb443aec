// Opening, closing and choosing windows; titles and icons.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace {

using korvid::default_position;

TEST(Window, OpensWithItsSizeTitleAndPageArrangement) {
  const int id = korvid::initwindow(320, 200, "Core", default_position, default_position, true, false);
  ASSERT_EQ(id, 0);
  EXPECT_EQ(korvid::getcurrentwindow(), 0);
  EXPECT_EQ(korvid::getmaxx(), 319);
  EXPECT_EQ(korvid::getmaxy(), 199);
  EXPECT_EQ(korvid::testing::native_width(id), 320);
  EXPECT_EQ(korvid::testing::native_height(id), 200);
  EXPECT_EQ(korvid::testing::window_title(id), "Core");
  EXPECT_TRUE(korvid::testing::window_visible(id));
  // Double buffered: drawing starts out of sight, on page 1.
  EXPECT_EQ(korvid::getactivepage(), 1);
  EXPECT_EQ(korvid::getvisualpage(), 0);
  // Only 1 enables input.
  korvid::enablewindow(id, 2);
  EXPECT_FALSE(korvid::testing::window_enabled(id));
  korvid::enablewindow(id, 1);
  EXPECT_TRUE(korvid::testing::window_enabled(id));
}

TEST(Window, IdentifiersAreNeverReusedAndLeftOutFlagsRepeatTheLastOnes) {
  ASSERT_EQ(korvid::initwindow(100, 100, "A"), 0);
  EXPECT_EQ(korvid::getactivepage(), 0);  // at first: single buffered
  ASSERT_EQ(korvid::initwindow(100, 100, "B", default_position, default_position, true), 1);
  korvid::closewindow(0);
  EXPECT_FALSE(korvid::isvalidwindow(0));
  EXPECT_EQ(korvid::getcurrentwindow(), 1);  // closing another window keeps this one current
  korvid::setcurrentwindow(0);               // closed: nothing changes
  EXPECT_EQ(korvid::getcurrentwindow(), 1);

  EXPECT_EQ(korvid::initwindow(100, 100), 2);
  EXPECT_EQ(korvid::getactivepage(), 1);  // double buffered, as the last window
  EXPECT_EQ(korvid::testing::window_title(2), std::string(korvid::default_title));
  korvid::setcurrentwindow(1);
  korvid::closewindow(korvid::current_window_id);
  EXPECT_EQ(korvid::getcurrentwindow(), korvid::no_current_window);
  korvid::closewindow(korvid::current_window_id);  // none current: nothing happens
  korvid::closewindow(3);                          // beyond the table: nothing happens
  EXPECT_TRUE(korvid::isvalidwindow(2));
  korvid::closewindow(korvid::all_windows_id);
  EXPECT_FALSE(korvid::isvalidwindow(2));
  EXPECT_EQ(korvid::initwindow(100, 100, "D"), 3);
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
