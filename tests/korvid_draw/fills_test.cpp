// Fills: a hatch with the background colour in its gaps, and the error code of
// an unknown style. Colours reach the page in their bytes as the time panel's
// dial shows (TimepanelTest).
#include <tuple>

#include "draw_support.h"

namespace {

using namespace draw_test;

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
