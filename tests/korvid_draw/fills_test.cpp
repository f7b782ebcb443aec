// Colours and fills: byte order, the hatches and 8 x 8 patterns, the user
// pattern, the background colour in the gaps, and the error codes.
#include "draw_support.h"

namespace {

using namespace draw_test;

// Fills a 16 x 16 bar at the window's corner with `style` in white on blue.
void fill_corner(int style) {
  korvid::setbkcolor(blue);
  korvid::setfillstyle(style, korvid::white);
  korvid::bar(0, 0, 16, 16);
}

bool lit(int x, int y) { return pixel(x, y) == korvid::white; }

TEST(DrawColours, ComponentsLandInTheirBytes) {
  EXPECT_EQ(korvid::creatergb(255, 0, 0), 255);
  EXPECT_EQ(korvid::creatergb(0, 255, 0), 0xFF00);
  EXPECT_EQ(korvid::creatergb(300, 0, 0), 44);
  EXPECT_EQ(korvid::creatergb(165, 165, 165), 0xA5A5A5);
  const int c = korvid::creatergb(1, 2, 3);
  EXPECT_EQ(korvid::getredvalue(c), 1);
  EXPECT_EQ(korvid::getgreenvalue(c), 2);
  EXPECT_EQ(korvid::getbluevalue(c), 3);

  open_window();
  korvid::setfillstyle(korvid::fill_style::solid, korvid::creatergb(255, 0, 0));
  korvid::bar(0, 0, 10, 10);
  korvid::setfillstyle(korvid::fill_style::solid, korvid::creatergb(0, 0, 255));
  korvid::bar(10, 0, 20, 10);
  korvid::setcolor(korvid::creatergb(0, 128, 0));
  korvid::line(0, 20, 20, 20);
  // Read back through the page's own pixel format.
  EXPECT_EQ(pixel(5, 5), 0x0000FF);
  EXPECT_EQ(pixel(15, 5), 0xFF0000);
  EXPECT_EQ(pixel(5, 20), 0x008000);
  EXPECT_EQ(korvid::getpixel(5, 5), korvid::creatergb(255, 0, 0));
}

TEST(DrawFills, HatchesAndPatternsPaintTheirBitsAndTheGapsInTheBackground) {
  open_window();
  fill_corner(korvid::fill_style::horizontal);
  EXPECT_TRUE(lit(3, 0));
  EXPECT_TRUE(lit(12, 8));
  EXPECT_EQ(pixel(3, 1), blue);
  EXPECT_EQ(pixel(3, 7), blue);

  fill_corner(korvid::fill_style::falling);  // upper left to lower right
  EXPECT_TRUE(lit(0, 0));
  EXPECT_TRUE(lit(5, 5));
  EXPECT_TRUE(lit(9, 1));
  EXPECT_EQ(pixel(7, 0), blue);
  EXPECT_EQ(pixel(1, 0), blue);

  fill_corner(korvid::fill_style::rising);  // lower left to upper right
  EXPECT_TRUE(lit(7, 0));
  EXPECT_TRUE(lit(0, 7));
  EXPECT_TRUE(lit(4, 11));
  EXPECT_EQ(pixel(0, 0), blue);

  fill_corner(korvid::fill_style::thick_falling);  // rows E0 C1 ...
  EXPECT_TRUE(lit(0, 0));
  EXPECT_TRUE(lit(2, 0));
  EXPECT_EQ(pixel(3, 0), blue);
  EXPECT_TRUE(lit(7, 1));
  EXPECT_EQ(pixel(2, 1), blue);

  fill_corner(korvid::fill_style::thick_rising);  // rows 07 83 ...
  EXPECT_TRUE(lit(5, 0));
  EXPECT_TRUE(lit(7, 0));
  EXPECT_EQ(pixel(0, 0), blue);
  EXPECT_TRUE(lit(0, 1));
  EXPECT_EQ(pixel(1, 1), blue);

  fill_corner(korvid::fill_style::solid);
  EXPECT_EQ(count_pixels(0, 0, 15, 15, korvid::white), 256);

  // The empty fill paints the background colour.
  fill_corner(korvid::fill_style::empty);
  EXPECT_EQ(count_pixels(0, 0, 15, 15, blue), 256);
}

TEST(DrawFills, UserPatternAndBackgroundChangesReachTheFill) {
  open_window();
  korvid::setbkcolor(blue);
  korvid::setfillpattern({0xF0, 0x0F, 0xF0, 0x0F, 0xF0, 0x0F, 0xF0, 0x0F}, red);
  EXPECT_EQ(korvid::getfillsettings().style, korvid::fill_style::user);
  EXPECT_EQ(korvid::getfillsettings().color, red);
  EXPECT_EQ(korvid::getfillpattern()[1], 0x0F);
  korvid::bar(0, 0, 16, 16);
  EXPECT_EQ(pixel(0, 0), red);
  EXPECT_EQ(pixel(3, 0), red);
  EXPECT_EQ(pixel(4, 0), blue);
  EXPECT_EQ(pixel(0, 1), blue);
  EXPECT_EQ(pixel(4, 1), red);
  EXPECT_EQ(pixel(12, 9), red);

  // Gaps take the background colour of the moment the bar is drawn.
  korvid::setbkcolor(green);
  korvid::bar(0, 0, 16, 16);
  EXPECT_EQ(pixel(4, 0), green);

  // The empty fill keeps the background colour it was chosen with.
  korvid::setbkcolor(blue);
  korvid::setfillstyle(korvid::fill_style::empty, red);
  korvid::setbkcolor(green);
  korvid::bar(20, 0, 30, 10);
  EXPECT_EQ(pixel(25, 5), blue);
}

TEST(DrawFills, PatternsLineUpWithThePageNotTheViewport) {
  open_window();
  korvid::setviewport(3, 5, 100, 100, false);
  fill_corner(korvid::fill_style::falling);
  EXPECT_TRUE(lit(8, 8));  // window pixel: x and y agree modulo 8
  EXPECT_TRUE(lit(13, 5));
  EXPECT_EQ(pixel(5, 8), blue);
}

TEST(DrawFills, UnknownFillStyleIsAnErrorAndChangesNothing) {
  open_window();
  korvid::setbkcolor(korvid::black);
  korvid::setfillstyle(korvid::fill_style::horizontal, red);
  korvid::setfillstyle(13, green);
  korvid::setfillstyle(-1, green);
  EXPECT_EQ(korvid::getfillsettings().style, korvid::fill_style::horizontal);
  EXPECT_EQ(korvid::getfillsettings().color, red);
  korvid::bar(0, 0, 16, 16);
  EXPECT_EQ(pixel(3, 0), red);
  EXPECT_EQ(pixel(3, 1), korvid::black);
  EXPECT_EQ(korvid::graphresult(), korvid::gr_error);
  EXPECT_EQ(korvid::graphresult(), korvid::gr_ok);
}

TEST(DrawErrors, MessagesCoverExactlyTheClassicCodes) {
  EXPECT_EQ(korvid::grapherrormsg(0), "No error");
  EXPECT_EQ(korvid::grapherrormsg(-1), "Graphics not installed");
  EXPECT_EQ(korvid::grapherrormsg(-9), "Not enough meory to load font");
  EXPECT_EQ(korvid::grapherrormsg(-11), "Graphics error");
  EXPECT_EQ(korvid::grapherrormsg(-14), "Invalid font number");
  EXPECT_EQ(korvid::grapherrormsg(-15), "Invalid device number");
  EXPECT_EQ(korvid::grapherrormsg(-16), "");
  EXPECT_EQ(korvid::grapherrormsg(1), "");
}

}  // namespace
