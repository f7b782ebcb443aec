// The time panel on an offscreen window: its two layouts, the dial's look and
// the neighbours' names, probed pixel by pixel.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "app/present/timepanel.h"
#include "tests/present/window_fixture.h"

namespace veltrim::testing {
namespace {

const int black = 0x000000;
const int white = 0xFFFFFF;
const int silver = korvid::creatergb(192, 192, 192);
const int dark_red = korvid::creatergb(128, 0, 0);
const int yellow = korvid::creatergb(255, 255, 0);
const int green = korvid::creatergb(0, 128, 0);

class TimepanelTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    panel.init_timepanel(window, preferences, events);
  }
  void TearDown() override {
    panel.destroy_timepanel();
    WindowTest::TearDown();
  }
  void show() {
    panel.redraw_timepanel();
    korvid::swapbuffers();
  }
  int pixel(int x, int y) { return korvid::testing::visual_pixel(window, x, y); }
  // A pixel of the dial's ring, `degrees` counter-clockwise from 3 o'clock.
  int ring(double degrees) {
    const auto c = panel.time_center();
    const double r = (panel.panel_height - 10) / 2.0;
    const double a = degrees * std::acos(-1.0) / 180.0;
    return pixel(c.x + static_cast<int>(r * std::cos(a)), c.y - static_cast<int>(r * std::sin(a)));
  }
  // A pixel of the disc, left of the time and away from the pause sign.
  int disc() {
    const auto c = panel.time_center();
    return pixel(c.x - panel.panel_height * 3 / 10, c.y + panel.panel_height / 10);
  }
  korvid::testing::Geometry where(int id) { return korvid::testing::control_geometry(window, id).value(); }

  Timepanel panel;
};

TEST_F(TimepanelTest, DialShowsTheTimeLeftAndItsPausedLook) {
  panel.set_remaining_timepanel(100);
  show();
  EXPECT_EQ(std::tuple(disc(), ring(150)), std::tuple(green, green));

  panel.set_remaining_timepanel(20);  // a fifth of the scale: the ring runs to 72 degrees
  show();
  EXPECT_EQ(std::tuple(disc(), ring(30), ring(150)), std::tuple(yellow, yellow, black));

  panel.set_remaining_timepanel(10);
  show();
  EXPECT_EQ(disc(), dark_red);

  panel.paused = true;
  show();
  EXPECT_EQ(disc(), silver);
  const auto c = panel.time_center();
  int pause_bar_pixels = 0;
  for (int y = c.y; y < c.y + panel.panel_height / 2; ++y) pause_bar_pixels += pixel(c.x - 4, y) == black;
  EXPECT_GT(pause_bar_pixels, 5);

  panel.paused = false;
  panel.set_remaining_timepanel(-7);  // over time: a dark red disc without a ring
  show();
  EXPECT_EQ(std::tuple(disc(), ring(30)), std::tuple(dark_red, black));
  EXPECT_EQ(std::tuple(dial_text(-7), dial_text(245)), std::tuple("+0:07", "4:05"));
}

TEST_F(TimepanelTest, NamesAreDrawnWholeOrCutAtACharacterWithDots) {
  panel.set_next_segment_name("Introduction   ");
  panel.set_previous_segment_name(std::nullopt);
  show();
  EXPECT_EQ(std::tuple(panel.next_name, panel.previous_rect.is_valid()), std::tuple("Introduction", false));
  const Rect& r = panel.next_rect;
  ASSERT_TRUE(r.is_valid());
  EXPECT_GT(r.top, korvid::getmaxy() - panel.panel_height);  // in window coordinates
  int white_pixels = 0;
  for (int y = r.top; y <= r.bottom; ++y)
    for (int x = r.left; x <= r.right; ++x) white_pixels += pixel(x, y) == white;
  EXPECT_GT(white_pixels, 50);

  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, 20);
  const Fitted_name cut = fit_name("Überlänge " + std::string(200, 'x') + " äöü", 150);
  EXPECT_TRUE(cut.text.starts_with("Überlänge") && cut.text.ends_with("...") && cut.width <= 150) << cut.text;
  EXPECT_EQ(cut.width, korvid::textwidth(cut.text));  // valid UTF-8, or the library would say -1
  EXPECT_EQ(fit_name("ÄÄÄÄÄÄ", 1).text, "...");
}

TEST_F(TimepanelTest, NarrowWindowsStackThePanelAndWideOnesRowIt) {
  show();
  EXPECT_EQ(std::tuple(panel.compute_panel_height(), panel.panel_height), std::tuple(false, korvid::scaledpi(100)));
  const auto exit_wide = where(panel.exit_button);
  EXPECT_EQ(exit_wide.x + exit_wide.width + 10, korvid::getmaxx() + 1);

  korvid::testing::resize_window(window, 420, 800);
  show();
  EXPECT_TRUE(panel.compute_panel_height());
  EXPECT_GT(panel.panel_height, korvid::scaledpi(100));
  const auto minus = where(panel.minus_button);
  const auto plus = where(panel.plus_button);
  const auto exit = where(panel.exit_button);
  EXPECT_EQ(minus.y, exit.y);
  EXPECT_TRUE(minus.x < plus.x && plus.x < exit.x);
  EXPECT_LT(exit.y + exit.height, panel.autoscroll_rect.top + 1);  // the row sits above the toggles
  EXPECT_LT(panel.autoscroll_rect.bottom, panel.auto_advance_rect.top + 1);
  const auto centre = panel.time_center();
  EXPECT_NEAR(centre.x, 210, 2);
  EXPECT_TRUE(panel.coordinates_in_time_timepanel(centre.x, centre.y));

  korvid::testing::resize_window(window, 1, 1);  // nothing to divide by, nothing negative to draw
  show();
  EXPECT_FALSE(panel.coordinates_in_time_timepanel(0, 0));
}

}  // namespace
}  // namespace veltrim::testing
