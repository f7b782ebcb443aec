// Arcs and ellipses: the end points the time panel's dial is built
// on (degrees counter-clockwise from 3 o'clock, offsets truncated towards
// zero) and the pixels they cover.
#include <array>
#include <utility>

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
  // Start angle, end angle and radius about (100, 100), and the end points: cos 45
  // and sin 45 of 100 are 70.7, cos 60 is 50, sin 60 86.6, all truncated; whole
  // turns change nothing.
  const std::pair<std::array<int, 3>, std::array<int, 4>> arcs[] = {
      {{0, 90, 50}, {150, 100, 100, 50}},   {{180, 270, 50}, {50, 100, 100, 150}},
      {{45, 60, 100}, {170, 30, 150, 14}},  {{-90, 0, 40}, {100, 140, 140, 100}},
      {{450, 495, 20}, {100, 80, 86, 86}}};
  for (const auto& [angles, ends] : arcs) {
    korvid::arc(100, 100, angles[0], angles[1], angles[2]);
    EXPECT_EQ(last_arc(), (std::array{100, 100, ends[0], ends[1], ends[2], ends[3]})) << angles[0];
  }
  korvid::fillellipse(10, 10, 5, 5);  // shapes without angles leave the last arc alone
  EXPECT_EQ(last_arc(), (std::array{100, 100, 100, 80, 86, 86}));
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

TEST(DrawArcs, EllipseFillsInsideItsOutline) {
  open_window(300, 300);
  korvid::setfillstyle(korvid::fill_style::solid, red);
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
