// Colours and fills: byte order, the hatches and 8 x 8 patterns, the user
// pattern, the background colour in the gaps, and the error code.
#include <tuple>
#include <utility>
#include <vector>

#include "draw_support.h"

namespace {

using namespace draw_test;

// Fills a 16 x 16 bar at the window's corner with `style` in white on blue.
void fill_corner(int style) {
  korvid::setbkcolor(blue);
  korvid::setfillstyle(style, korvid::white);
  korvid::bar(0, 0, 16, 16);
}

TEST(DrawColours, ComponentsLandInTheirBytes) {
  EXPECT_EQ(korvid::creatergb(300, 0, 0), 44);  // each component is one byte
  const int c = korvid::creatergb(1, 2, 3);
  EXPECT_EQ(std::tuple(korvid::getredvalue(c), korvid::getgreenvalue(c), korvid::getbluevalue(c)),
            std::tuple(1, 2, 3));

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
  struct Sample {
    int style;
    std::vector<std::pair<int, int>> lit, gap;
  };
  const Sample samples[] = {
      {korvid::fill_style::horizontal, {{3, 0}, {12, 8}}, {{3, 1}, {3, 7}}},
      {korvid::fill_style::falling, {{0, 0}, {5, 5}, {9, 1}}, {{7, 0}, {1, 0}}},  // upper left to lower right
      {korvid::fill_style::rising, {{7, 0}, {0, 7}, {4, 11}}, {{0, 0}}},          // lower left to upper right
      {korvid::fill_style::thick_falling, {{0, 0}, {2, 0}, {7, 1}}, {{3, 0}, {2, 1}}},  // rows E0 C1 ...
      {korvid::fill_style::thick_rising, {{5, 0}, {7, 0}, {0, 1}}, {{0, 0}, {1, 1}}},   // rows 07 83 ...
  };
  open_window();
  for (const Sample& s : samples) {
    fill_corner(s.style);
    for (auto [x, y] : s.lit) EXPECT_EQ(pixel(x, y), korvid::white) << s.style << ": " << x << "," << y;
    for (auto [x, y] : s.gap) EXPECT_EQ(pixel(x, y), blue) << s.style << ": " << x << "," << y;
  }
  fill_corner(korvid::fill_style::solid);
  EXPECT_EQ(count_pixels(0, 0, 15, 15, korvid::white), 256);
  fill_corner(korvid::fill_style::empty);  // the background colour
  EXPECT_EQ(count_pixels(0, 0, 15, 15, blue), 256);

  // Patterns line up with the page, not the viewport.
  korvid::setviewport(3, 5, 100, 100, false);
  fill_corner(korvid::fill_style::falling);
  EXPECT_EQ(pixel(8, 8), korvid::white);  // window pixel: x and y agree modulo 8
  EXPECT_EQ(pixel(5, 8), blue);
}

TEST(DrawFills, UserPatternAndBackgroundChangesReachTheFill) {
  open_window();
  korvid::setbkcolor(blue);
  korvid::setfillpattern({0xF0, 0x0F, 0xF0, 0x0F, 0xF0, 0x0F, 0xF0, 0x0F}, red);
  EXPECT_EQ(korvid::getfillsettings().style, korvid::fill_style::user);
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
}

TEST(DrawFills, UnknownFillStyleIsAnErrorAndChangesNothing) {
  open_window();
  korvid::setfillstyle(korvid::fill_style::horizontal, red);
  korvid::setfillstyle(13, green);
  korvid::setfillstyle(-1, green);
  EXPECT_EQ(korvid::getfillsettings().style, korvid::fill_style::horizontal);
  EXPECT_EQ(korvid::getfillsettings().color, red);
  korvid::bar(0, 0, 16, 16);
  EXPECT_EQ(pixel(3, 0), red);
  EXPECT_EQ(pixel(3, 1), korvid::black);
  EXPECT_EQ(korvid::graphresult(), korvid::gr_error);
  EXPECT_EQ(korvid::graphresult(), korvid::gr_ok);  // reading the result resets it
}

}  // namespace
