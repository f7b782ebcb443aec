#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/script/parsetime.h"
#include "app/script/parser.h"
#include "app/script/segment.h"

namespace veltrim {
namespace {

std::vector<std::string> texts_of(const Segment& segment) {
  std::vector<std::string> texts;
  for (const Text_line& line : segment.lines()) texts.push_back(line.text);
  return texts;
}

TEST(Segment, LengthsStayWithinWhatTheFileReadsBack) {
  Segment segment;
  segment.set_time_string("200000 minutes");
  EXPECT_EQ(std::tuple(segment.time(), segment.get_time_string()), std::tuple(longest_length, "9999:59"));
  segment.set_time_string("-1:30");
  EXPECT_EQ(segment.get_time_string(), "-1:30");
  segment.set_time_number(-2'000'000'000);
  EXPECT_EQ(segment.get_time_string(), "-9999:59");
}

TEST(Segment, TheDrawnLinesStartWithTheContentsHeadingOrOneMadeFromTheTitle) {
  Segment segment;
  segment.set_title("Welcome   ");
  segment.set_content("Intro\r\n\r\n   ");
  EXPECT_EQ(std::tuple(segment.title(), segment.content()), std::tuple("Welcome", "Intro\r\n\r\n"));  // blanks cut
  EXPECT_EQ(texts_of(segment), (std::vector<std::string>{"# Welcome", " ", "Intro"}));
  segment.set_content("# Own heading\nBody");
  EXPECT_EQ(texts_of(segment), (std::vector<std::string>{"# Own heading", "Body"}));
  segment.set_content("\n   \n\n");
  EXPECT_EQ(texts_of(segment), (std::vector<std::string>{"# Welcome"}));
  segment.set_content(std::nullopt);
  EXPECT_TRUE(segment.lines().empty());
}

TEST(Segment, AsTextWritesTitleAndLengthAndMakesTheContentFromTheLines) {
  EXPECT_EQ(Segment::empty().as_text(true), "# New Segment - 1:00\r\n\r\n\r\n");
  Segment welcome;
  welcome.set_title("Welcome");
  welcome.set_time_number(90);
  welcome.set_content("Hello");
  EXPECT_EQ(std::tuple(welcome.as_text(true), welcome.as_text()), std::tuple("# Welcome - 1:30\r\n\r\nHello", "Hello"));
  Segment untitled;
  untitled.set_content("Just text");
  EXPECT_EQ(untitled.as_text(true), "Just text");

  Segment from_lines;
  from_lines.set_title("T");
  from_lines.lines() = parse_text("# T\n\nBody line\n=> gemini://x Label");
  EXPECT_EQ(std::tuple(from_lines.as_text(), from_lines.content()),
            std::tuple("Body line\r\n=> gemini://x Label\r\n\r\n\r\n", "Body line\r\n=> gemini://x Label\r\n\r\n\r\n"));
}

TEST(Segment, CountsTheWordsThePresenterReads) {
  Segment segment;
  segment.set_title("Not counted");
  segment.set_content(
      "One two\tthree\n* four five\n> six\n## seven\n=> gemini://not.counted eight nine\n=> gemini://ten\n"
      "```\neleven(); twelve\n```\n");
  EXPECT_EQ(segment.body_word_count(), 12u);
  EXPECT_EQ(count_words("  a  b\r\nc\t"), 3u);
  EXPECT_EQ(Segment().body_word_count(), 0u);
}

}  // namespace
}  // namespace veltrim
