// A length box that reads back as the length it shows. That an empty box keeps
// the whole segment as it was is shown through the editor (EditorTest).
#include <gtest/gtest.h>

#include "app/panels/editor_writeback.h"

namespace veltrim {
namespace {

Segment old_segment(std::int32_t seconds = 90) {
  Segment segment;
  segment.set_title("Old");
  segment.set_time_number(seconds);
  segment.set_content("old body");
  return segment;
}

TEST(EditorWriteback, TheLengthBoxReadsBackAsTheLengthItShows) {
  EXPECT_EQ(length_box_text(90), "    1:30");
  EXPECT_EQ(length_box_text(-90), "   -1:30");
  EXPECT_EQ(length_box_text(9999 * 60 + 59), " 9999:59");
  for (const std::int32_t seconds : {0, 7, 3600, -90, 9999 * 60 + 59, -(9999 * 60 + 59)}) {
    Segment segment = old_segment(seconds == 0 ? 1 : 0);
    ASSERT_TRUE(store_boxes_in_segment(segment, {"Old", length_box_text(seconds), "b"}));
    EXPECT_EQ(segment.time(), seconds) << length_box_text(seconds);
  }
}

}  // namespace
}  // namespace veltrim
