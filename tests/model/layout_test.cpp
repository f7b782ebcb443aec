#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/blanks.h"
#include "app/render/layout.h"
#include "app/render/parser.h"
#include "app/render/wrap.h"
#include "tests/model/recording_renderer.h"

namespace veltrim {
namespace {

using testing::Recording_renderer;

struct Piece {
  std::string text;
  int type;
  std::int32_t y;
  friend bool operator==(const Piece&, const Piece&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Piece& p) {
    return out << '"' << p.text << "\" type " << p.type << " at " << p.y;
  }
};

class Layout : public ::testing::Test {
 protected:
  Recording_renderer renderer;
  Line_list lines;

  Layout() { renderer.max_width = 100; }  // ten base characters

  std::vector<Piece> lay_out(std::string_view gemtext) {
    lines = parse_text(gemtext);
    return pass();
  }
  std::vector<Piece> pass() {
    renderer.drawn.clear();
    renderer.y = 0;
    layout_lines(lines, renderer);
    std::vector<Piece> pieces;
    for (const auto& d : renderer.drawn) pieces.push_back({std::string(without_trailing_blanks(d.text)), d.type, d.y});
    return pieces;
  }
};

TEST_F(Layout, WrapsAtBlanksAndPlacesPiecesBelowEachOther) {
  EXPECT_EQ(lay_out("aaa bbb ccc ddd"), (std::vector<Piece>{{"aaa bbb", 0, 0}, {"ccc ddd", 0, 22}}));
  EXPECT_EQ(lines[0].breaks, (std::vector<std::int32_t>{8, 15, -1}));
  EXPECT_EQ(renderer.content_height, 44);
}

TEST_F(Layout, AWordWiderThanTheLineComesOutInTwoCharacterPieces) {
  const auto pieces = lay_out("abcdefghijklmnopqrstuvwxyz");
  std::vector<std::string> texts;
  for (const auto& p : pieces) texts.push_back(p.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"ab", "cd", "ef", "gh", "ij", "kl", "mn", "op", "qrstuvwxyz"}));
}

TEST_F(Layout, AHyphenatedWordMayBreakAfterItsHyphen) {
  renderer.max_width = 80;
  EXPECT_EQ(lay_out("well-known words"), (std::vector<Piece>{{"well-", 0, 0}, {"known", 0, 22}, {"words", 0, 44}}));
}

TEST_F(Layout, HeadingsOfEachLevelDrawLargerAndStartAfterTheirMarks) {
  renderer.max_width = 1000;
  EXPECT_EQ(lay_out("# Title\n## Part\n### Detail\n#NoBlank\n   # indented"),
            (std::vector<Piece>{{"Title", 1, 0}, {"Part", 2, 42}, {"Detail", 3, 74}, {"NoBlank", 1, 106},
                                {"   # indented", 0, 148}}));
}

TEST_F(Layout, HeadingsWrapAtTheirOwnSize) {
  EXPECT_EQ(lay_out("# aaaa bbbb"), (std::vector<Piece>{{"aaaa", 1, 0}, {"bbbb", 1, 42}}));
}

TEST_F(Layout, AListItemKeepsItsMarkerAndIndentOnTheFirstPieceOnly) {
  EXPECT_EQ(lay_out("* one two three four"),
            (std::vector<Piece>{{"one", type_list_item, 0}, {"two three", 0, 22}, {"four", 0, 44}}));
  EXPECT_EQ(lay_out("  *no b"), (std::vector<Piece>{{"no b", type_list_item, 0}}));
}

TEST_F(Layout, AQuotationKeepsItsStyleOnEveryPiece) {
  EXPECT_EQ(lay_out("> aa bb cc"), (std::vector<Piece>{{"aa", type_quotation, 0}, {"bb", type_quotation, 22},
                                                       {"cc", type_quotation, 44}}));
}

TEST_F(Layout, PreformattedLinesAreCutNeverWrapped) {
  EXPECT_EQ(lay_out("```\n0123456789ABCDEF\n  short\n```"),
            (std::vector<Piece>{{"0123456789", 0, 0}, {"  short", 0, 22}}));
  EXPECT_EQ(lines[1].breaks, (std::vector<std::int32_t>{10}));
}

TEST_F(Layout, LinksShowTheirLabelAndRememberWhereTheyWereDrawn) {
  lay_out("=> gemini://a.example   Label words\ntext\n=> gemini://only");
  ASSERT_EQ(renderer.drawn.size(), 3u);
  EXPECT_EQ(renderer.drawn[0].text, "Label words");
  EXPECT_EQ(renderer.drawn[0].url, "gemini://a.example");
  EXPECT_EQ(renderer.drawn[2].text, "gemini://only");
  EXPECT_EQ(renderer.drawn[2].url, "gemini://only");
  EXPECT_EQ(renderer.link_at(0, 0), 1);
  EXPECT_EQ(renderer.link_at(110, 20), 1);
  EXPECT_EQ(renderer.link_at(111, 5), -1);
  EXPECT_EQ(renderer.link_at(5, 21), -1);  // the text line between the links
  EXPECT_EQ(renderer.link_at(5, 50), 2);
  EXPECT_EQ(renderer.links[1].url, "gemini://only");
}

TEST_F(Layout, EndRecordsAndFencesTakeNoSpaceAndBlankLinesTakeOne) {
  EXPECT_TRUE(lay_out("").size() == 1u);  // the one empty line of an empty text
  lines = load_unit("");
  EXPECT_TRUE(pass().empty());
  EXPECT_EQ(renderer.y, 0);
  EXPECT_EQ(renderer.passes, 2);
  EXPECT_EQ(renderer.completed_passes, 2);

  EXPECT_EQ(lay_out("a\n```\n```\nb"), (std::vector<Piece>{{"a", 0, 0}, {"b", 0, 22}}));
  EXPECT_EQ(lay_out("a\n\nb"), (std::vector<Piece>{{"a", 0, 0}, {"", 0, 22}, {"b", 0, 44}}));
  EXPECT_EQ(lay_out("# \nb"), (std::vector<Piece>{{"b", 0, 0}}));
  EXPECT_EQ(lines[0].breaks, (std::vector<std::int32_t>{-1}));
}

TEST_F(Layout, PiecesAboveTheVisibleAreaAreNotDrawnButTakeTheirSpace) {
  lines = parse_text("one\ntwo\nthree");
  renderer.drawn.clear();
  renderer.y = -44;
  layout_lines(lines, renderer);
  ASSERT_EQ(renderer.drawn.size(), 1u);
  EXPECT_EQ(renderer.drawn[0].text, "three");
  EXPECT_EQ(renderer.y, 22);
}

TEST_F(Layout, ANegativeWidthDrawsTextUnwrappedAndPreformattedCutToNothing) {
  renderer.max_width = -5;
  EXPECT_EQ(lay_out("aaa bbb ccc\n```\ncode"), (std::vector<Piece>{{"aaa bbb ccc", 0, 0}, {"", 0, 22}}));
}

TEST_F(Layout, CachedBreaksAreReusedWhileTheWidthStaysTheSame) {
  lay_out("aaa bbb ccc ddd\n```\n0123456789ABC\n```\n* item text here");
  EXPECT_GT(renderer.width_measures, 0);
  renderer.width_measures = 0;
  const auto again = pass();
  EXPECT_EQ(renderer.width_measures, 0);

  renderer.max_width = 60;
  const auto narrower = pass();
  EXPECT_GT(renderer.width_measures, 0);
  EXPECT_GT(narrower.size(), again.size());
}

TEST_F(Layout, InvalidatingOneLineRewrapsThatLineOnly) {
  lay_out("aaa bbb ccc ddd\nxx yy");
  Recording_renderer alone;
  alone.max_width = renderer.max_width;
  Line_list second{Text_line("xx yy", kind_text)};
  layout_lines(second, alone);

  renderer.width_measures = 0;
  lines[1].invalidate_breaks();
  pass();
  EXPECT_EQ(renderer.width_measures, alone.width_measures);
  EXPECT_TRUE(lines[0].has_breaks());
}

TEST(SetBounds, AChangeStartsAFreshPassAndTheSameBoundsChangeNothing) {
  Recording_renderer renderer;
  renderer.set_bounds(0, 0, 799, 599);
  EXPECT_TRUE(renderer.bounds_changed);
  EXPECT_EQ(renderer.bounds, (Rect{0, 0, 599, 799}));
  renderer.bounds_changed = false;
  renderer.y = -120;
  renderer.set_bounds(0, 0, 799, 599);
  EXPECT_FALSE(renderer.bounds_changed);
  EXPECT_EQ(renderer.y, -120);
  renderer.set_bounds(0, 0, 799, 500);
  EXPECT_TRUE(renderer.bounds_changed);
  EXPECT_EQ(renderer.y, 0);
}

// Wrapping as written out plainly, measuring whole ranges with the recording
// renderer's fixed widths, to hold the measuring shortcuts for long lines to it.
std::vector<std::int32_t> plain_wrapping(const std::string& text, std::int32_t max_width) {
  const auto width = [&](std::int32_t s, std::int32_t e) { return s >= e ? 0 : static_cast<std::int32_t>(trimmed_length(text.substr(s - 1, e - s + 1))) * 10; };
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

TEST(Wrapping, TheStartSkipsStyleMarksAndTheBlanksAfterThem) {
  EXPECT_EQ(get_start_position_and_type("## Part").start, 4);
  EXPECT_EQ(get_start_position_and_type("## Part").type, 2);
  EXPECT_EQ(get_start_position_and_type("   > \t quoted").start, 8);
  EXPECT_EQ(get_start_position_and_type("   > \t quoted").type, type_quotation);
  EXPECT_EQ(get_start_position_and_type("#  ").start, 2);
  EXPECT_EQ(get_start_position_and_type("plain").type, type_plain);
}

}  // namespace
}  // namespace veltrim
