// Arcs, pie slices and ellipses: the end points the time panel's dial is built
// on (degrees counter-clockwise from 3 o'clock, offsets truncated towards
// zero) and the pixels they cover.
#include <array>

#include "draw_support.h"

namespace {

using namespace draw_test;

std::array<int, 6> last_arc() {
  const korvid::ArcCoords c = korvid::getarccoords();
  return {c.x, c.y, c.xstart, c.ystart, c.xend, c.yend};
}

// Whether any pixel within one pixel of (x, y) has `color`.
bool near(int x, int y, int color) { return count_pixels(x - 1, y - 1, x + 1, y + 1, color) > 0; }

TEST(DrawArcs, ArcCoordinatesFollowTheClassicAngles) {
  open_window(300, 300);
  korvid::arc(100, 100, 0, 90, 50);
  EXPECT_EQ(last_arc(), (std::array{100, 100, 150, 100, 100, 50}));
  korvid::arc(100, 100, 180, 270, 50);
  EXPECT_EQ(last_arc(), (std::array{100, 100, 50, 100, 100, 150}));
  // cos 45 and sin 45 of 100 are 70.7: truncated; cos 60 of 100 is 50, sin 60 is 86.6.
  korvid::arc(100, 100, 45, 60, 100);
  EXPECT_EQ(last_arc(), (std::array{100, 100, 170, 30, 150, 14}));
  korvid::arc(100, 100, -90, 0, 40);
  EXPECT_EQ(last_arc(), (std::array{100, 100, 100, 140, 140, 100}));
  korvid::arc(100, 100, 450, 360 + 135, 20);  // whole turns change nothing
  EXPECT_EQ(last_arc(), (std::array{100, 100, 100, 80, 86, 86}));
  korvid::pieslice(60, 60, 0, 90, 30);
  EXPECT_EQ(last_arc(), (std::array{60, 60, 90, 60, 60, 30}));
  korvid::sector(150, 150, 90, 180, 40, 20);
  EXPECT_EQ(last_arc(), (std::array{150, 150, 150, 130, 110, 150}));
  // Shapes without angles leave the last arc alone.
  korvid::circle(10, 10, 5);
  korvid::fillellipse(10, 10, 5, 5);
  EXPECT_EQ(last_arc(), (std::array{150, 150, 150, 130, 110, 150}));
}

TEST(DrawArcs, ArcRunsCounterClockwiseBetweenItsEndPoints) {
  open_window(300, 300);
  korvid::setcolor(green);
  korvid::arc(100, 100, 0, 90, 50);  // upper right quarter
  EXPECT_TRUE(near(150, 100, green) && near(100, 50, green) && near(135, 65, green));
  EXPECT_FALSE(near(50, 100, green) || near(100, 150, green) || near(65, 135, green));
  korvid::arc(200, 200, 300, 60, 40);  // through 0: the right-hand side
  EXPECT_TRUE(near(240, 200, green));
  EXPECT_FALSE(near(160, 200, green));
  korvid::arc(100, 220, 30, 30, 40);  // equal angles: the whole circle
  EXPECT_TRUE(near(60, 220, green) && near(140, 220, green));
}

TEST(DrawArcs, PieSliceAndEllipseFillInsideTheirOutline) {
  open_window(300, 300);
  korvid::setfillstyle(korvid::fill_style::solid, red);
  korvid::pieslice(100, 100, 0, 90, 50);
  EXPECT_EQ(pixel(120, 80), red);
  EXPECT_EQ(count_pixels(80, 80, 80, 80, korvid::black) + count_pixels(120, 120, 120, 120, korvid::black), 2);
  EXPECT_TRUE(near(125, 100, korvid::white) && near(100, 75, korvid::white));  // the two radii

  korvid::fillellipse(200, 220, 30, 15);
  EXPECT_EQ(pixel(225, 220), red);
  EXPECT_EQ(pixel(200, 240), korvid::black);
  EXPECT_EQ(pixel(235, 220), korvid::black);
  EXPECT_TRUE(near(200, 205, korvid::white) && near(170, 220, korvid::white));
  korvid::circle(50, 250, 20);  // an outline only
  EXPECT_EQ(pixel(50, 250), korvid::black);
  EXPECT_TRUE(near(70, 250, korvid::white));
}

}  // namespace
