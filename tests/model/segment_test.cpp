#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/parsetime.h"
#include "app/render/parser.h"
#include "app/segment.h"

namespace veltrim {
namespace {

std::vector<std::string> texts_of(const Segment& segment) {
  std::vector<std::string> texts;
  for (const Text_line& line : segment.lines()) texts.push_back(line.text);
  return texts;
}

TEST(Segment, TheLengthBoxAcceptsAnyWrittenFormAndZeroForAnythingElse) {
  Segment segment;
  segment.set_time_string("2 MIN 30 SEC");
  EXPECT_EQ(segment.time(), 150);
  segment.set_time_string("");
  EXPECT_EQ(segment.time(), 0);
  segment.set_time_string("soon");
  EXPECT_EQ(segment.time(), 0);
  segment.set_time_string("-1:30");
  EXPECT_EQ(segment.get_time_string(), "-1:30");
}

TEST(Segment, LengthsStayWithinWhatTheFileReadsBack) {
  Segment segment;
  segment.set_time_string("200000 minutes");
  EXPECT_EQ(segment.time(), longest_length);
  EXPECT_EQ(segment.get_time_string(), "9999:59");
  segment.set_time_number(-2'000'000'000);
  EXPECT_EQ(segment.get_time_string(), "-9999:59");
}

TEST(Segment, ContentWithoutAHeadingGetsOneMadeFromTheTitle) {
  Segment segment;
  segment.set_title("Welcome   ");
  segment.set_content("Intro\r\n\r\n   ");
  EXPECT_EQ(segment.title(), "Welcome");
  EXPECT_EQ(segment.content(), "Intro\r\n\r\n");  // only blanks are cut at the end
  EXPECT_EQ(texts_of(segment), (std::vector<std::string>{"# Welcome", " ", "Intro"}));
}

TEST(Segment, ContentThatBeginsWithAHeadingKeepsIt) {
  Segment segment;
  segment.set_title("Welcome");
  segment.set_content("# Own heading\nBody");
  EXPECT_EQ(texts_of(segment), (std::vector<std::string>{"# Own heading", "Body"}));
}

TEST(Segment, ABodyOfBlankLinesLeavesOnlyTheHeading) {
  Segment segment;
  segment.set_title("Empty");
  segment.set_content("\n   \n\n");
  EXPECT_EQ(texts_of(segment), (std::vector<std::string>{"# Empty"}));
  segment.set_content(std::nullopt);
  EXPECT_TRUE(segment.lines().empty());
}

TEST(Segment, AsTextWithTheHeadingWritesTitleAndLength) {
  Segment fresh = Segment::empty();
  EXPECT_EQ(fresh.as_text(true), "# New Segment - 1:00\r\n\r\n\r\n");

  Segment welcome;
  welcome.set_title("Welcome");
  welcome.set_time_number(90);
  welcome.set_content("Hello");
  EXPECT_EQ(welcome.as_text(true), "# Welcome - 1:30\r\n\r\nHello");
  EXPECT_EQ(welcome.as_text(), "Hello");

  Segment untitled;
  untitled.set_content("Just text");
  EXPECT_EQ(untitled.as_text(true), "Just text");
}

TEST(Segment, AsTextMakesTheContentFromTheLinesOnceAndKeepsIt) {
  Segment segment;
  segment.set_title("T");
  segment.lines() = parse_text("# T\n\nBody line\n=> gemini://x Label");
  EXPECT_EQ(segment.as_text(), "Body line\r\n=> gemini://x Label\r\n\r\n\r\n");
  EXPECT_EQ(segment.content(), "Body line\r\n=> gemini://x Label\r\n\r\n\r\n");
  EXPECT_EQ(segment.lines().size(), 5u);  // the lines are not rebuilt
}

TEST(Segment, UpdateRebuildsTheLinesOnlyWhenThereIsContent) {
  Segment segment;
  segment.lines() = parse_text("one");
  segment.update_segment();
  EXPECT_EQ(segment.lines().size(), 2u);
  segment.as_text();
  segment.update_segment();
  EXPECT_EQ(texts_of(segment), (std::vector<std::string>{"one"}));
}

TEST(Segment, InvalidatingTheLayoutForgetsEveryLinesBreaks) {
  Segment segment;
  segment.set_content("a\nb");
  for (Text_line& line : segment.lines()) line.breaks = {1, -1};
  segment.invalidate_segment_layout();
  for (const Text_line& line : segment.lines()) EXPECT_FALSE(line.has_breaks());
}

TEST(Segment, CountsTheWordsThePresenterReads) {
  Segment segment;
  segment.set_title("Not counted");
  segment.set_content(
      "One two\tthree\n"
      "* four five\n"
      "> six\n"
      "## seven\n"
      "=> gemini://not.counted eight nine\n"
      "=> gemini://ten\n"
      "```\n"
      "eleven(); twelve\n"
      "```\n");
  EXPECT_EQ(segment.body_word_count(), 12u);
  EXPECT_EQ(count_words("  a  b\r\nc\t"), 3u);
  EXPECT_EQ(Segment().body_word_count(), 0u);
}

}  // namespace
}  // namespace veltrim
