#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/script/script.h"

namespace veltrim {
namespace {

std::vector<std::string> titles_of(const Script& script) {
  std::vector<std::string> titles;
  for (const Segment& segment : script.segments()) titles.push_back(segment.title().value_or("-"));
  return titles;
}

TEST(Script, SegmentsAreAddedByIndexAndMovedOrRemovedOnlyWithinTheScript) {
  Script script;
  for (int i = 0; i < 3; ++i) script.script_add_new_segment();
  EXPECT_EQ(titles_of(script), (std::vector<std::string>{"Segment #1", "Segment #2", "Segment #3"}));
  script.script_move_segment_up(1);
  script.script_move_segment_down(3);
  script.script_swap_segments(1, 4);
  script.script_remove_segment(4);
  script.script_remove_segment(0);
  EXPECT_EQ(titles_of(script), (std::vector<std::string>{"Segment #1", "Segment #2", "Segment #3"}));
  script.script_move_segment_down(1);
  script.script_move_segment_up(3);
  EXPECT_EQ(titles_of(script), (std::vector<std::string>{"Segment #2", "Segment #3", "Segment #1"}));
  script.script_remove_segment(2);
  EXPECT_EQ(titles_of(script), (std::vector<std::string>{"Segment #2", "Segment #1"}));
  script.script_remove_segment(1);
  script.script_remove_segment(1);
  EXPECT_TRUE(script.script_is_empty());
}

TEST(Script, RuntimeSumsTheLengthsFromAGivenSegment) {
  Script script;
  for (int i = 0; i < 3; ++i) script.script_add_new_segment();
  script.segment(1).set_time_number(90);
  script.segment(2).set_time_number(-30);
  EXPECT_EQ(script.script_runtime(), 120);
  EXPECT_EQ(script.script_runtime(2), 30);
  EXPECT_EQ(script.script_runtime(4), 0);
}

}  // namespace
}  // namespace veltrim
