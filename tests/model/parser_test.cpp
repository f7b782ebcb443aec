#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/render/parser.h"

namespace veltrim {
namespace {

struct Line {
  std::string text;
  std::int32_t kind;
  friend bool operator==(const Line&, const Line&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Line& line) {
    return out << '"' << line.text << "\"/" << line.kind;
  }
};

std::vector<Line> lines_of(const Line_list& lines) {
  std::vector<Line> result;
  for (const Text_line& line : lines) result.push_back({line.text, line.kind});
  return result;
}

TEST(Parser, EveryLineEndEndsALineAndTheListEndsWithABlankEndRecord) {
  const std::vector<Line> expected = {{"a", kind_text}, {"b", kind_text}, {" ", kind_none}};
  EXPECT_EQ(lines_of(load_unit("a\r\nb\r\n")), expected);
  EXPECT_EQ(lines_of(load_unit("a\nb\n")), expected);
  EXPECT_EQ(lines_of(load_unit("a\rb\r")), expected);
  EXPECT_EQ(lines_of(load_unit("a\r\n\n\rb")), (std::vector<Line>{{"a", 1}, {" ", 1}, {" ", 1}, {"b", 1}, {" ", 0}}));
  EXPECT_EQ(lines_of(load_unit("")), (std::vector<Line>{{" ", kind_none}}));
}

TEST(Parser, AFinalLineWithoutLineEndIsAnOrdinaryLine) {
  EXPECT_EQ(lines_of(load_unit("a\r\n=>gemini://x label")),
            (std::vector<Line>{{"a", kind_text}, {"gemini://x label  ", kind_link}, {" ", kind_none}}));
  EXPECT_EQ(lines_of(load_unit("# Last - 1:00")), (std::vector<Line>{{"# Last - 1:00", kind_text}, {" ", kind_none}}));
}

TEST(Parser, ParseTextReadsATextAsIfALineEndFollowedIt) {
  EXPECT_EQ(lines_of(parse_text("a\r\nb")), (std::vector<Line>{{"a", 1}, {"b", 1}, {" ", 0}}));
  EXPECT_EQ(lines_of(parse_text("a\r\nb\r\n")), (std::vector<Line>{{"a", 1}, {"b", 1}, {" ", 1}, {" ", 0}}));
  EXPECT_EQ(lines_of(parse_text("")), (std::vector<Line>{{" ", 1}, {" ", 0}}));
  EXPECT_EQ(lines_of(parse_text("```\ncode\n")),
            (std::vector<Line>{{"```", kind_toggle}, {"code", kind_preformatted}, {" ", kind_preformatted}, {" ", 0}}));
}

TEST(Parser, FencesMakePreformattedLinesAndAnUnclosedFenceRunsToTheEnd) {
  const auto lines = lines_of(load_unit("```rust\n=> not a link\n# not a heading\n```\n=> link\n```\nx\n\ny"));
  const std::vector<Line> expected = {
      {"```rust", kind_toggle},     {"=> not a link", kind_preformatted},
      {"# not a heading", kind_preformatted}, {"```", kind_toggle},
      {"link   ", kind_link},        {"```", kind_toggle},
      {"x", kind_preformatted},     {" ", kind_preformatted},
      {"y", kind_preformatted},     {" ", kind_none}};
  EXPECT_EQ(lines, expected);
}

TEST(Parser, MarkersCountOnlyInTheFirstColumnAndNeedThreeCharacters) {
  const auto lines = lines_of(load_unit(" => x\n ```\n=>\n=> \n``\n```   \n"));
  EXPECT_EQ(lines[0].kind, kind_text);
  EXPECT_EQ(lines[1].kind, kind_text);
  EXPECT_EQ(lines[2], (Line{"=>", kind_text}));
  EXPECT_EQ(lines[3], (Line{"=> ", kind_text}));
  EXPECT_EQ(lines[4].kind, kind_text);
  EXPECT_EQ(lines[5].kind, kind_toggle);
}

TEST(Parser, LinkTabsBecomeBlanksAndTheTargetComesFirst) {
  const Line_list lines = load_unit("=>\tgemini://a\tThe label\n");
  EXPECT_EQ(lines[0].text, "gemini://a The label   ");
  EXPECT_EQ(to_text(lines), "=> gemini://a The label\r\n\r\n\r\n");
}

TEST(Parser, ToTextWritesEveryLineWithCrLfAndClosesWithOneMore) {
  EXPECT_EQ(to_text(load_unit("x\n")), "x\r\n\r\n\r\n");
  EXPECT_EQ(to_text(Line_list{}), "\r\n");
  EXPECT_EQ(to_text(load_unit("trailing   \n")), "trailing\r\n\r\n\r\n");
}

TEST(Parser, ToTextCanSkipTheFirstHeadingWhatPrecedesItAndTheBlankLinesAfterIt) {
  EXPECT_EQ(to_text(load_unit("before\n# Title\n\n\nBody"), true), "Body\r\n\r\n\r\n");
  EXPECT_EQ(to_text(load_unit("no heading\n## deeper\n"), true), "no heading\r\n## deeper\r\n\r\n\r\n");
  Line_list heading_last = load_unit("# Title");
  heading_last.pop_back();
  EXPECT_EQ(to_text(heading_last, true), "\r\n");
  Line_list blanks_after = load_unit("# Title\n\n\n");
  EXPECT_EQ(to_text(blanks_after, true), "\r\n\r\n");  // the last line, blank, then the closing line end
}

TEST(Parser, HeadingTests) {
  EXPECT_TRUE(is_heading("# A"));
  EXPECT_TRUE(is_level_1_heading("# A"));
  EXPECT_TRUE(is_heading("## A"));
  EXPECT_FALSE(is_level_1_heading("## A"));
  EXPECT_TRUE(is_heading("###  A"));
  EXPECT_FALSE(is_heading("#A"));
  EXPECT_TRUE(is_level_1_heading("#A"));
  EXPECT_FALSE(is_heading("#"));
  EXPECT_FALSE(is_level_1_heading("#"));
  EXPECT_FALSE(is_heading("# "));
  EXPECT_FALSE(is_level_1_heading("# "));
}

TEST(Parser, CorrectHeadingLevelMakesTheChosenLevelTheFirst) {
  const auto corrected = [](std::string text, int level) {
    correct_heading_level(text, level);
    return text;
  };
  EXPECT_EQ(corrected("## Intro", 2), "# Intro ");
  EXPECT_EQ(corrected("# Intro", 2), "# Intro");
  EXPECT_EQ(corrected("### Deeper", 2), "## Deeper ");
  EXPECT_EQ(corrected("## AB", 2), "## AB");  // too short to change
  EXPECT_EQ(corrected("### Intro", 3), "# Intro  ");
  EXPECT_EQ(corrected("## Intro", 1), "## Intro");
}

}  // namespace
}  // namespace veltrim
