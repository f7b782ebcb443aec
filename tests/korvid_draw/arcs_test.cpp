// Arcs, pie slices and ellipses: the end points the time panel's dial is built
// on (degrees counter-clockwise from 3 o'clock, offsets truncated towards
// zero) and the pixels they cover.
#include "draw_support.h"

namespace {

using namespace draw_test;

void expect_arc(int x, int y, int xstart, int ystart, int xend, int yend) {
  const korvid::ArcCoords c = korvid::getarccoords();
  EXPECT_EQ(c.x, x);
  EXPECT_EQ(c.y, y);
  EXPECT_EQ(c.xstart, xstart);
  EXPECT_EQ(c.ystart, ystart);
  EXPECT_EQ(c.xend, xend);
  EXPECT_EQ(c.yend, yend);
}

// Whether any pixel within one pixel of (x, y) has `color`.
bool near(int x, int y, int color) { return count_pixels(x - 1, y - 1, x + 1, y + 1, color) > 0; }

TEST(DrawArcs, ArcCoordinatesFollowTheClassicAngles) {
  open_window(300, 300);
  korvid::arc(100, 100, 0, 90, 50);
  expect_arc(100, 100, 150, 100, 100, 50);
  korvid::arc(100, 100, 180, 270, 50);
  expect_arc(100, 100, 50, 100, 100, 150);
  // cos 45 and sin 45 of 100 are 70.7: truncated; cos 60 of 100 is 50, sin 60 is 86.6.
  korvid::arc(100, 100, 45, 60, 100);
  expect_arc(100, 100, 170, 30, 150, 14);
  korvid::arc(100, 100, -90, 0, 40);
  expect_arc(100, 100, 100, 140, 140, 100);
  korvid::arc(100, 100, 450, 360 + 135, 20);  // whole turns change nothing
  expect_arc(100, 100, 100, 80, 86, 86);
  korvid::pieslice(60, 60, 0, 90, 30);
  expect_arc(60, 60, 90, 60, 60, 30);
  korvid::ellipse(150, 150, 0, 90, 40, 20);
  expect_arc(150, 150, 190, 150, 150, 130);
  korvid::sector(150, 150, 90, 180, 40, 20);
  expect_arc(150, 150, 150, 130, 110, 150);
  // Shapes without angles leave the last arc alone.
  korvid::circle(10, 10, 5);
  korvid::fillellipse(10, 10, 5, 5);
  expect_arc(150, 150, 150, 130, 110, 150);
}

TEST(DrawArcs, ArcRunsCounterClockwiseBetweenItsEndPoints) {
  open_window(300, 300);
  korvid::setcolor(green);
  korvid::arc(100, 100, 0, 90, 50);  // upper right quarter
  EXPECT_TRUE(near(150, 100, green));
  EXPECT_TRUE(near(100, 50, green));
  EXPECT_TRUE(near(135, 65, green));  // 45 degrees
  EXPECT_FALSE(near(50, 100, green));
  EXPECT_FALSE(near(100, 150, green));
  EXPECT_FALSE(near(65, 135, green));

  korvid::arc(200, 200, 300, 60, 40);  // through 0: the right-hand side
  EXPECT_TRUE(near(240, 200, green));
  EXPECT_FALSE(near(160, 200, green));

  korvid::arc(100, 220, 30, 30, 40);  // equal angles: the whole circle
  EXPECT_TRUE(near(60, 220, green));
  EXPECT_TRUE(near(140, 220, green));
}

TEST(DrawArcs, PieSliceAndEllipseFillInsideTheirOutline) {
  open_window(300, 300);
  korvid::setcolor(korvid::white);
  korvid::setfillstyle(korvid::fill_style::solid, red);
  korvid::pieslice(100, 100, 0, 90, 50);
  EXPECT_EQ(pixel(120, 80), red);
  EXPECT_EQ(pixel(80, 80), korvid::black);
  EXPECT_EQ(pixel(120, 120), korvid::black);
  EXPECT_EQ(pixel(80, 120), korvid::black);
  EXPECT_TRUE(near(125, 100, korvid::white));  // the radius along 0 degrees
  EXPECT_TRUE(near(100, 75, korvid::white));   // and along 90

  korvid::fillellipse(200, 220, 30, 15);
  EXPECT_EQ(pixel(200, 220), red);
  EXPECT_EQ(pixel(225, 220), red);
  EXPECT_EQ(pixel(200, 240), korvid::black);
  EXPECT_EQ(pixel(235, 220), korvid::black);
  EXPECT_TRUE(near(200, 205, korvid::white));
  EXPECT_TRUE(near(170, 220, korvid::white));

  korvid::circle(50, 250, 20);  // an outline only
  EXPECT_EQ(pixel(50, 250), korvid::black);
  EXPECT_TRUE(near(70, 250, korvid::white));
}

}  // namespace
