// Bringing the editor's boxes back into a segment: all or nothing, and a length
// box that reads back as the length it shows.
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

TEST(EditorWriteback, AnEmptyBoxLeavesTheSegmentExactlyAsItWas) {
  const EditorBoxes rejected[] = {{"", "1:00", "new"}, {"   ", "1:00", "new"}, {"New", "1:00", ""},
                                  {"New", "1:00", "  "}, {"New", "", "new"},   {"New", "  ", "new"}};
  for (const EditorBoxes& boxes : rejected) {
    Segment segment = old_segment();
    EXPECT_FALSE(store_boxes_in_segment(segment, boxes)) << boxes.name << "|" << boxes.length << "|" << boxes.body;
    EXPECT_EQ(segment.title(), "Old");
    EXPECT_EQ(segment.time(), 90);
    EXPECT_EQ(segment.content(), "old body");
    EXPECT_EQ(segment.lines().front().text, "# Old");
  }
  // A single line break is text: a new segment's body box holds one.
  Segment segment = old_segment();
  EXPECT_TRUE(store_boxes_in_segment(segment, {"New", "2m30s", "\r\n"}));
  EXPECT_EQ(segment.lines().front().text, "# New");
  EXPECT_EQ(segment.time(), 120);
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
