// Dash tables of the line styles, worked out by hand from the bit patterns,
// and a dotted line on the page.
#include <utility>

#include "draw_support.h"
#include "korvid/internal/draw_dashes.h"

namespace {

using korvid::detail::DashTable;
using korvid::detail::dash_table;
using korvid::detail::is_solid;
using korvid::detail::user_dash_table;

TEST(DrawDashes, UserPatternsBecomeOnOffRunsCorrectedForSquareCaps) {
  const std::pair<unsigned, DashTable> cases[] = {
      {0x0000, {0, 16}}, {0xFFFF, {15, 0}}, {0x00FF, {7, 9}}, {0x0F0F, {3, 5, 3, 5}}, {0x0001, {0, 16}},
      // Leading zero bits: appended when the count is odd, added to the last "off" otherwise.
      {0xFF00, {7, 8}}, {0x8000, {0, 15}}, {0x0006, {1, 15}},
      {0xAAAA, {0, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0, 1}},
      {0x1FFFF, {15, 0}},  // only the low 16 bits count
  };
  for (const auto& [pattern, table] : cases) EXPECT_EQ(user_dash_table(pattern), table) << pattern;
  EXPECT_EQ(dash_table(korvid::line_style::dotted, 0), (DashTable{3, 4}));
  EXPECT_EQ(dash_table(korvid::line_style::center, 0), (DashTable{3, 4, 7, 4}));
  EXPECT_EQ(dash_table(korvid::line_style::dashed, 0), (DashTable{7, 4}));
  EXPECT_TRUE(is_solid(dash_table(7, 0)));  // unknown styles draw solid
  EXPECT_TRUE(is_solid(dash_table(korvid::line_style::user, 0xFFFF)));
  EXPECT_FALSE(is_solid(dash_table(korvid::line_style::user, 0x7FFF)));
}

TEST(DrawDashes, DottedLineLeavesGaps) {
  draw_test::open_window();
  korvid::setlinestyle(korvid::line_style::dotted, 0, 1);
  korvid::line(0, 5, 70, 5);
  const int lit = draw_test::count_pixels(0, 5, 69, 5, korvid::white);
  EXPECT_GT(lit, 70 * 3 / 10);
  EXPECT_LT(lit, 70 * 8 / 10);
  korvid::setlinesettings({korvid::line_style::solid, 0, 1});
  korvid::line(0, 9, 70, 9);
  EXPECT_EQ(draw_test::count_pixels(0, 9, 69, 9, korvid::white), 70);
}

}  // namespace
