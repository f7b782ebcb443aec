// Where primitives land: inclusive and exclusive edges, the viewport's origin
// and clip, clearing, pens and extreme coordinates; a hatch with the background
// colour in its gaps, and the error code of an unknown fill style. Colours reach
// the page in their bytes as the time panel's dial shows (TimepanelTest).
#include <climits>
#include <tuple>

#include "draw_support.h"

namespace {

using namespace draw_test;

TEST(DrawGeometry, BarLeavesRightColumnAndBottomRowAndRectangleDrawsThem) {
  open_window();
  EXPECT_EQ(korvid::getcolor(), korvid::white);  // the classic start: white on black
  korvid::setfillstyle(korvid::fill_style::solid, red);
  korvid::bar(0, 0, 9, 9);
  EXPECT_EQ(count_pixels(0, 0, 8, 8, red), 81);
  EXPECT_EQ(count_marked(9, 0, 9, 9) + count_marked(0, 9, 9, 9), 0);

  korvid::setcolor(green);
  korvid::rectangle(20, 0, 29, 9);
  EXPECT_EQ(count_pixels(20, 0, 29, 0, green) + count_pixels(20, 9, 29, 9, green), 20);
  EXPECT_EQ(count_pixels(20, 0, 20, 9, green) + count_pixels(29, 0, 29, 9, green), 20);
  EXPECT_EQ(count_marked(21, 1, 28, 8), 0);  // not filled
  EXPECT_EQ(count_marked(30, 0, 30, 10) + count_marked(20, 10, 30, 10), 0);

  // Reversed or empty bars paint nothing.
  korvid::bar(50, 50, 50, 60);
  korvid::bar(70, 70, 60, 60);
  EXPECT_EQ(count_marked(45, 45, 75, 75), 0);
}

TEST(DrawGeometry, ViewportMovesTheOriginAndClipsItsLastColumnAndRow) {
  open_window(400, 300);
  korvid::setfillstyle(korvid::fill_style::solid, red);
  korvid::setviewport(100, 50, 300, 250, true);
  korvid::bar(0, 0, 10, 10);
  EXPECT_EQ(count_pixels(100, 50, 109, 59, red), 100);
  EXPECT_EQ(count_marked(99, 49, 110, 49) + count_marked(110, 50, 110, 60), 0);
  korvid::bar(150, 150, 400, 400);  // window pixels 250..499: cut at 299 and 249
  EXPECT_EQ(std::tuple(pixel(299, 249), pixel(300, 249), pixel(299, 250)),
            std::tuple(red, korvid::black, korvid::black));

  korvid::setcolor(green);
  korvid::line(-50, 100, 500, 100);  // window row 150
  EXPECT_EQ(count_pixels(100, 150, 299, 150, green), 200);
  EXPECT_EQ(count_marked(99, 150, 99, 150) + count_marked(300, 150, 300, 150), 0);

  // A clipping viewport with no area lets nothing through.
  korvid::setviewport(10, 10, 10, 40, true);
  korvid::bar(-5, -5, 50, 50);
  EXPECT_EQ(count_marked(0, 0, 20, 45), 0);
}

TEST(DrawGeometry, ClearViewportClearsOnlyTheViewportInTheBackgroundColour) {
  open_window(200, 100);
  korvid::bar(0, 0, 200, 100);  // white everywhere
  korvid::setbkcolor(blue);
  korvid::setviewport(20, 10, 120, 60, true);
  korvid::moveto(5, 5);
  korvid::clearviewport();
  EXPECT_EQ(count_pixels(20, 10, 119, 59, blue), 100 * 50);
  EXPECT_EQ(count_pixels(19, 10, 19, 59, korvid::white) + count_pixels(120, 10, 120, 59, korvid::white), 100);
  EXPECT_EQ(count_pixels(20, 9, 119, 9, korvid::white) + count_pixels(20, 60, 119, 60, korvid::white), 200);
  EXPECT_EQ(std::tuple(korvid::getx(), korvid::gety()), std::tuple(0, 0));

  // The whole-window viewport stops one short of the last column and row.
  korvid::setbkcolor(red);
  korvid::resetviewport();
  korvid::clearviewport();
  EXPECT_EQ(std::tuple(pixel(198, 98), pixel(199, 0), pixel(0, 99)), std::tuple(red, korvid::white, korvid::white));
}

TEST(DrawGeometry, AThickPenCoversItsWidthAcrossTheLine) {
  open_window();
  korvid::setlinestyle(korvid::line_style::solid, 0, 5);
  korvid::line(10, 20, 50, 20);
  EXPECT_EQ(std::tuple(pixel(30, 18), pixel(30, 22), pixel(30, 25)),
            std::tuple(korvid::white, korvid::white, korvid::black));
}

TEST(DrawGeometry, ExtremeCoordinatesNeitherOverflowNorSpill) {
  open_window(100, 80);
  korvid::setfillstyle(korvid::fill_style::solid, red);
  korvid::bar(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(std::tuple(pixel(0, 0), pixel(99, 79)), std::tuple(red, red));

  korvid::setfillstyle(korvid::fill_style::solid, green);
  korvid::setlinestyle(korvid::line_style::solid, 0, INT_MAX);
  korvid::setviewport(INT_MAX, INT_MAX, INT_MIN, INT_MIN, false);
  korvid::bar(0, 0, 5, 5);
  korvid::line(INT_MIN, 0, INT_MAX, 0);
  korvid::arc(0, 0, INT_MIN, INT_MAX, INT_MAX);
  korvid::fillellipse(0, 0, INT_MAX, INT_MIN);
  korvid::outtextxy(INT_MAX, INT_MAX, "far away");
  korvid::linerel(INT_MAX, INT_MAX);
  korvid::clearviewport();
  korvid::resetviewport();
  for (const int size : {INT_MAX, INT_MIN}) {
    korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, size);
    EXPECT_GT(korvid::textwidth("x"), 0);
  }
  EXPECT_EQ(pixel(50, 40), red);
}

TEST(DrawFills, UnknownFillStyleIsAnErrorAndChangesNothing) {
  open_window();
  korvid::setfillstyle(korvid::fill_style::horizontal, red);
  korvid::setfillstyle(13, green);
  korvid::setfillstyle(-1, green);
  EXPECT_EQ(korvid::getfillsettings().style, korvid::fill_style::horizontal);
  EXPECT_EQ(korvid::getfillsettings().color, red);
  korvid::bar(0, 0, 16, 16);
  EXPECT_EQ(std::tuple(pixel(3, 0), pixel(3, 1)), std::tuple(red, korvid::black));
  EXPECT_EQ(korvid::graphresult(), korvid::gr_error);
  EXPECT_EQ(korvid::graphresult(), korvid::gr_ok);  // reading the result resets it
}

}  // namespace
