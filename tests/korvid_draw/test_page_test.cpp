// Draws a page of everything the drawing half offers and saves it as
// draw_test_page.png in the build folder, for a person to look at.
#include <string>

#include "draw_support.h"

namespace {

using namespace draw_test;

void fill_swatches() {
  for (int style = 0; style <= korvid::fill_style::user; ++style) {
    if (style == korvid::fill_style::user) {
      korvid::setfillpattern({0x18, 0x3C, 0x7E, 0xFF, 0xFF, 0x7E, 0x3C, 0x18}, korvid::creatergb(200, 60, 0));
    } else {
      korvid::setfillstyle(style, korvid::creatergb(0, 90, 160));
    }
    const int left = 20 + style * 44;
    korvid::bar(left, 20, left + 36, 60);
    korvid::rectangle(left, 20, left + 36, 60);
  }
}

void line_samples() {
  for (int style = 0; style <= korvid::line_style::user; ++style) {
    korvid::setlinestyle(style, 0x3F0F, style == 0 ? 3 : 1);
    korvid::line(20, 80 + style * 12, 300, 80 + style * 12);
  }
  korvid::setlinestyle(korvid::line_style::solid, 0, 1);
}

// A dial like the time panel's: a face, a pie for the time left, ticks.
void dial() {
  korvid::setfillstyle(korvid::fill_style::solid, korvid::creatergb(230, 230, 230));
  korvid::fillellipse(420, 120, 60, 60);
  korvid::setfillstyle(korvid::fill_style::solid, korvid::creatergb(128, 0, 0));
  korvid::pieslice(420, 120, 90, 90 + 250, 55);
  for (int angle = 0; angle < 360; angle += 30) korvid::arc(420, 120, angle, angle + 2, 58);
  const korvid::ArcCoords c = korvid::getarccoords();
  korvid::setcolor(korvid::creatergb(0, 128, 0));
  korvid::line(c.x, c.y, c.xend, c.yend);
  korvid::setcolor(korvid::black);
}

void text_samples() {
  const char* names[] = {"0 bold", "1 sans", "2 serif", "3 script", "4 sans bold", "5 serif bold", "6 mono"};
  for (int font = 0; font <= korvid::font::mono; ++font) {
    korvid::settextstyle(font, korvid::horiz_dir, 22);
    korvid::outtextxy(20, 200 + font * 26, std::string(names[font]) + ": Veltrim paces a talk, 0123 ÄÖü");
  }
  korvid::setmatchthemetextstyle();
  korvid::outtextxy(20, 390, "Theme font: Remaining 4:32");
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, 18);
  korvid::settextjustify(korvid::center_text, korvid::top_text);
  korvid::outtextxy(0, 420, "centred between 0 and the right edge");
  korvid::settextjustify(korvid::right_text, korvid::top_text);
  korvid::outtextxy(0, 444, "right-justified");
  korvid::settextjustify(korvid::left_text, korvid::top_text);
  korvid::setbkcolor(korvid::creatergb(255, 255, 160));
  korvid::settextxy(20, 470);
  korvid::outtext("opaque background, line one\nline two after a break");
  korvid::setbkcolor(korvid::white);
}

TEST(DrawTestPage, SavesAPageOfEverything) {
  const int id = open_window(660, 540);
  korvid::setbkcolor(korvid::white);
  korvid::cleardevice();
  korvid::setcolor(korvid::black);
  fill_swatches();
  line_samples();
  dial();
  text_samples();
  korvid::setviewport(330, 420, 650, 530, true);
  korvid::setcolor(korvid::creatergb(0, 0, 200));
  korvid::rectangle(0, 0, 319, 109);
  for (int i = 0; i < 400; i += 16) korvid::line(i, 0, i - 200, 300);  // cut at the viewport
  korvid::resetviewport();

  const std::string path = std::string(KORVID_DRAW_OUTPUT_DIR) + "/draw_test_page.png";
  ASSERT_TRUE(korvid::testing::save_visual_page(id, path)) << path;
  EXPECT_EQ(pixel(5, 5), korvid::white);
  EXPECT_EQ(pixel(21, 21), korvid::white);                          // empty fill: background
  EXPECT_EQ(pixel(21 + 44, 21), korvid::creatergb(0, 90, 160));    // solid fill
  EXPECT_EQ(pixel(405, 90), korvid::creatergb(128, 0, 0));          // time left, past 12 o'clock
  EXPECT_EQ(pixel(460, 120), korvid::creatergb(230, 230, 230));     // time gone, at 3 o'clock
  EXPECT_EQ(pixel(329, 500), korvid::white);                        // outside the clipped viewport
}

}  // namespace
