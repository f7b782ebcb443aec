#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/script/blanks.h"
#include "app/render/layout.h"
#include "app/script/parser.h"
#include "app/render/wrap.h"
#include "tests/render/recording_renderer.h"

namespace veltrim {
namespace {

using testing::Recording_renderer;

struct Piece {
  std::string text;
  int type;
  std::int32_t y;
  std::string url = {};
  friend bool operator==(const Piece&, const Piece&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Piece& p) {
    return out << '"' << p.text << "\" type " << p.type << " at " << p.y << ' ' << p.url;
  }
};

// One pass from the top of the page; what it drew, trailing blanks cut.
std::vector<Piece> pass(Recording_renderer& renderer, Line_list& lines) {
  renderer.drawn.clear();
  renderer.y = 0;
  layout_lines(lines, renderer);
  std::vector<Piece> pieces;
  for (const auto& d : renderer.drawn) {
    pieces.push_back({std::string(without_trailing_blanks(d.text)), d.type, d.y, d.url});
  }
  return pieces;
}

struct Layout_case {
  std::int32_t max_width;  // ten pixels a base character
  const char* gemtext;
  std::vector<Piece> pieces;
};

TEST(Layout, WrapsStylesAndStacksEveryKindOfLine) {
  const int list = type_list_item;
  const int quote = type_quotation;
  const Layout_case cases[] = {
      {100, "aaa bbb ccc ddd", {{"aaa bbb", 0, 0}, {"ccc ddd", 0, 22}}},
      // A word wider than the line comes out two characters at a time.
      {100, "abcdefghijklmnopqrstuvwxyz", {{"ab", 0, 0}, {"cd", 0, 22}, {"ef", 0, 44}, {"gh", 0, 66}, {"ij", 0, 88},
                                           {"kl", 0, 110}, {"mn", 0, 132}, {"op", 0, 154}, {"qrstuvwxyz", 0, 176}}},
      {80, "well-known words", {{"well-", 0, 0}, {"known", 0, 22}, {"words", 0, 44}}},
      {1000, "# Title\n## Part\n### Detail\n#NoBlank\n   # indented",
       {{"Title", 1, 0}, {"Part", 2, 42}, {"Detail", 3, 74}, {"NoBlank", 1, 106}, {"   # indented", 0, 148}}},
      {100, "# aaaa bbbb", {{"aaaa", 1, 0}, {"bbbb", 1, 42}}},  // wrapped at the heading's own size
      // Only a list item's first piece keeps the marker and the indent.
      {100, "* one two three four", {{"one", list, 0}, {"two three", 0, 22}, {"four", 0, 44}}},
      {100, "  *no b", {{"no b", list, 0}}},
      {100, "> aa bb cc\n   > \t ok", {{"aa", quote, 0}, {"bb", quote, 22}, {"cc", quote, 44}, {"ok", quote, 66}}},
      {100, "```\n0123456789ABCDEF\n  short\n```", {{"0123456789", 0, 0}, {"  short", 0, 22}}},  // cut, not wrapped
      {100, "=> gemini://a.example   Label words\ntext\n=> gemini://only",
       {{"Label words", 0, 0, "gemini://a.example"}, {"text", 0, 22}, {"gemini://only", 0, 44, "gemini://only"}}},
      // End records and fences take no space, blank lines one, a bare heading mark none.
      {100, "", {{"", 0, 0}}},
      {100, "a\n```\n```\nb", {{"a", 0, 0}, {"b", 0, 22}}},
      {100, "a\n\nb", {{"a", 0, 0}, {"", 0, 22}, {"b", 0, 44}}},
      {100, "# \nb", {{"b", 0, 0}}},
      {-5, "aaa bbb ccc\n```\ncode", {{"aaa bbb ccc", 0, 0}, {"", 0, 22}}},
  };
  for (const auto& c : cases) {
    Recording_renderer renderer;
    renderer.max_width = c.max_width;
    Line_list lines = parse_text(c.gemtext);
    EXPECT_EQ(pass(renderer, lines), c.pieces) << c.gemtext;
  }
}

TEST(Layout, PiecesAboveTheVisibleAreaAreNotDrawnButTakeTheirSpace) {
  Recording_renderer renderer;
  renderer.max_width = 100;
  Line_list lines = parse_text("one\ntwo\nthree");
  renderer.y = -44;
  layout_lines(lines, renderer);
  ASSERT_EQ(renderer.drawn.size(), 1u);
  EXPECT_EQ(renderer.drawn[0].text, "three");
  EXPECT_EQ(renderer.y, 22);
  EXPECT_EQ(renderer.content_height, 22);
}

TEST(Layout, CachedBreaksAreReusedUntilTheWidthChangesOrTheLineIsInvalidated) {
  Recording_renderer renderer;
  renderer.max_width = 100;
  Line_list lines = parse_text("aaa bbb ccc ddd\n```\n0123456789ABC\n```\n* item text here\nxx yy");
  const auto first = pass(renderer, lines);
  EXPECT_GT(renderer.width_measures, 0);
  renderer.width_measures = 0;
  EXPECT_EQ(pass(renderer, lines), first);
  EXPECT_EQ(renderer.width_measures, 0);

  Recording_renderer alone;
  alone.max_width = renderer.max_width;
  Line_list last{Text_line("xx yy", kind_text)};
  layout_lines(last, alone);
  lines[5].invalidate_breaks();
  pass(renderer, lines);
  EXPECT_EQ(renderer.width_measures, alone.width_measures);  // that line alone was measured again
  EXPECT_TRUE(lines[0].has_breaks());

  renderer.max_width = 60;
  EXPECT_GT(pass(renderer, lines).size(), first.size());
}

// Wrapping as written out plainly, measuring whole ranges with the recording
// renderer's fixed widths, to hold the measuring shortcuts for long lines to it.
std::vector<std::int32_t> plain_wrapping(const std::string& text, std::int32_t max_width) {
  const auto width = [&](std::int32_t s, std::int32_t e) {
    return s >= e ? 0 : static_cast<std::int32_t>(trimmed_length(text.substr(s - 1, e - s + 1))) * 10;
  };
  const auto length = static_cast<std::int32_t>(trimmed_length(text));
  std::vector<std::int32_t> breaks;
  for (std::int32_t start = 1; start <= length;) {
    std::int32_t end = length;
    if (width(start, length) > max_width) {
      end = start + 1;
      for (std::int32_t p = start + 2; p <= length; ++p) {
        if (text[p - 1] != ' ' && text[p - 1] != '-' && p != length) continue;
        if (width(start, p) > max_width) break;
        end = p;
      }
    }
    breaks.push_back(end);
    start = end + 1;
    while (start <= static_cast<std::int32_t>(text.size()) && text[start - 1] == ' ') ++start;
  }
  breaks.push_back(-1);
  return breaks;
}

TEST(Wrapping, LongParagraphsWrapAsIfEveryRangeWereMeasuredWhole) {
  std::mt19937 random(3);
  for (int round = 0; round < 40; ++round) {
    std::string text;
    while (text.size() < 6'000) {
      const auto word = std::uniform_int_distribution<int>(1, round % 4 == 0 ? 300 : 12)(random);
      text += std::string(static_cast<std::size_t>(word), static_cast<char>('a' + round % 26));
      text += std::uniform_int_distribution<int>(0, 5)(random) == 0 ? "-" : " ";
    }
    Recording_renderer renderer;
    renderer.max_width = std::uniform_int_distribution<int>(30, 3000)(random);
    ASSERT_EQ(calculate_wrapping(renderer, text), plain_wrapping(text, renderer.max_width)) << "round " << round;
  }
}

// A run of blanks is one place to break, measured once: a line holding a long
// one wraps with a handful of measurements, not one per blank. Trailing blanks
// change nothing.
TEST(Wrapping, ARunOfBlanksIsOneBreakCandidate) {
  Recording_renderer renderer;
  renderer.max_width = 100;
  const std::string huge = "a" + std::string(100'000, ' ') + "b";
  EXPECT_EQ(calculate_wrapping(renderer, huge), (std::vector<std::int32_t>{100'001, 100'002, -1}));
  EXPECT_LT(renderer.width_measures, 100);

  const std::string mixed = "aa" + std::string(3'000, ' ') + "bbb-cc" + std::string(50, ' ') + std::string(30, 'd') +
                            std::string(700, ' ') + "e f" + std::string(900, ' ');
  for (const std::int32_t width : {30, 100, 400, 2'000}) {
    renderer.max_width = width;
    EXPECT_EQ(calculate_wrapping(renderer, mixed), plain_wrapping(mixed, width)) << width;
  }
}

}  // namespace
}  // namespace veltrim
