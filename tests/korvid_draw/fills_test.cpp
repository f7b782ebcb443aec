// Colours and fills: byte order, a hatch with the background colour in its
// gaps, and the error code of an unknown style.
#include <tuple>

#include "draw_support.h"

namespace {

using namespace draw_test;

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
  EXPECT_EQ(std::tuple(pixel(5, 5), pixel(15, 5), pixel(5, 20)), std::tuple(0x0000FF, 0xFF0000, 0x008000));
  EXPECT_EQ(korvid::getpixel(5, 5), korvid::creatergb(255, 0, 0));
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
