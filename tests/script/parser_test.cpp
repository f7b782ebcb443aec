#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/script/parser.h"

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

TEST(Parser, EveryLineEndEndsALineAndAFinalLineWithoutOneIsOrdinary) {
  const Line end{" ", kind_none};
  const std::pair<const char*, std::vector<Line>> cases[] = {
      {"a\r\nb\r\n", {{"a", kind_text}, {"b", kind_text}, end}},
      {"a\nb\n", {{"a", kind_text}, {"b", kind_text}, end}},
      {"a\rb\r", {{"a", kind_text}, {"b", kind_text}, end}},
      {"a\r\n\n\rb", {{"a", kind_text}, {" ", kind_text}, {" ", kind_text}, {"b", kind_text}, end}},
      {"", {end}},
      {"a\r\n=>gemini://x label", {{"a", kind_text}, {"gemini://x label  ", kind_link}, end}},
      {"# Last - 1:00", {{"# Last - 1:00", kind_text}, end}},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(lines_of(load_unit(text)), expected) << text;
  // parse_text reads a text as if a line end followed it.
  EXPECT_EQ(lines_of(parse_text("a\r\nb")), (std::vector<Line>{{"a", 1}, {"b", 1}, end}));
  EXPECT_EQ(lines_of(parse_text("a\r\nb\r\n")), (std::vector<Line>{{"a", 1}, {"b", 1}, {" ", 1}, end}));
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
  for (const char* text : {" => x", " ```", "=>", "=> ", "``"}) {
    EXPECT_EQ(lines_of(load_unit(text)).front(), (Line{text, kind_text}));
  }
  EXPECT_EQ(load_unit("```   ").front().kind, kind_toggle);
}

TEST(Parser, ToTextWritesCrLfLinesAndCanSkipTheFirstHeadingWithWhatSurroundsIt) {
  EXPECT_EQ(to_text(load_unit("=>\tgemini://a\tThe label\n")), "=> gemini://a The label\r\n\r\n\r\n");
  EXPECT_EQ(to_text(Line_list{}), "\r\n");
  EXPECT_EQ(to_text(load_unit("trailing   \n")), "trailing\r\n\r\n\r\n");
  EXPECT_EQ(to_text(load_unit("before\n# Title\n\n\nBody"), true), "Body\r\n\r\n\r\n");
  EXPECT_EQ(to_text(load_unit("no heading\n## deeper\n"), true), "no heading\r\n## deeper\r\n\r\n\r\n");
  Line_list heading_last = load_unit("# Title");
  heading_last.pop_back();
  EXPECT_EQ(to_text(heading_last, true), "\r\n");
  EXPECT_EQ(to_text(load_unit("# Title\n\n\n"), true), "\r\n\r\n");  // the last line, blank, then the closing line end
}

}  // namespace
}  // namespace veltrim
