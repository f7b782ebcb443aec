// Text: measuring, the text position, justification, vertical text, fonts and
// their cache, and refusing text that is not UTF-8.
#include <string>

#include "draw_support.h"
#include "korvid/testing_draw.h"

namespace {

using namespace draw_test;

// Text made of blanks paints only its background box, so its edges can be
// found exactly.
const std::string blanks = "    ";

void prepare_blank_text(int size = 20) {
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, size);
  korvid::setbkcolor(blue);
}

TEST(DrawText, WidthGrowsWithTheTextAndTheSize) {
  open_window();
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, 12);
  const int a = korvid::textwidth("a");
  EXPECT_GT(a, 0);
  EXPECT_GT(korvid::textwidth("ab"), a);
  EXPECT_GT(korvid::textwidth("abc"), korvid::textwidth("ab"));
  EXPECT_EQ(korvid::textwidth(""), 0);
  EXPECT_EQ(korvid::textheight(""), 0);
  const int small = korvid::textwidth("Hello, world");
  const int small_height = korvid::textheight("Hello, world");
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, 40);
  EXPECT_GT(korvid::textwidth("Hello, world"), 2 * small);
  EXPECT_GT(korvid::textheight("Hello, world"), 2 * small_height);
  // Several lines: the widest line, and every line's full height.
  const int line = korvid::textheight("x");
  EXPECT_EQ(korvid::textheight("x\ny"), 2 * line);
  EXPECT_EQ(korvid::textheight("x\r\ny\rz"), 3 * line);
  EXPECT_EQ(korvid::textheight("x\n"), line);
  EXPECT_EQ(korvid::textwidth("ab\nabcd\nabc"), korvid::textwidth("abcd"));
  // Text ends at a NUL, as the program's texts do.
  EXPECT_EQ(korvid::textwidth(std::string("ab\0cd", 5)), korvid::textwidth("ab"));
}

TEST(DrawText, SizeIsTheHeightOfALine) {
  open_window();
  for (const int size : {10, 16, 25, 40, 72}) {
    korvid::settextstyle(korvid::font::serif, korvid::horiz_dir, size);
    const int height = korvid::textheight("Xg");
    EXPECT_LE(height, size + size / 8) << size;
    EXPECT_GE(height, size - size / 8 - 1) << size;
  }
}

TEST(DrawText, InvalidUtf8IsNeitherMeasuredNorDrawn) {
  open_window();
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, 20);
  EXPECT_GT(korvid::textwidth("caf\xC3\xA9"), korvid::textwidth("caf"));
  for (const char* bad : {"\xC3", "abc\xFF", "\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                          "\x80 stray", "\xE2\x82"}) {
    EXPECT_EQ(korvid::textwidth(bad), -1) << bad;
    EXPECT_EQ(korvid::textheight(bad), -1) << bad;
  }
  korvid::setbkcolor(blue);
  korvid::outtextxy(10, 10, "abc\xFF");
  EXPECT_EQ(count_marked(0, 0, 100, 60), 0);
  korvid::outtext("ok");  // the position did not move
  EXPECT_EQ(pixel(10, 10), blue);
}

TEST(DrawText, OuttextStacksLinesAndOuttextxyStaysOnItsRow) {
  open_window(300, 200);
  prepare_blank_text();
  const int height = korvid::textheight(blanks);
  const int width = korvid::textwidth(blanks);
  korvid::settextxy(10, 10);
  korvid::outtext(blanks);
  EXPECT_EQ(pixel(10, 10), blue);
  EXPECT_EQ(pixel(10 + width - 1, 10), blue);
  EXPECT_EQ(pixel(10 + width, 10), korvid::black);
  EXPECT_EQ(pixel(9, 10), korvid::black);
  korvid::outtext(blanks);  // one line further down, same left edge
  EXPECT_EQ(pixel(10, 10 + height), blue);
  EXPECT_EQ(pixel(10, 10 + 2 * height), korvid::black);

  korvid::outtextxy(10, 100, blanks);
  korvid::outtextxy(10, 100, blanks);  // the same place again
  EXPECT_EQ(pixel(10, 100), blue);
  EXPECT_EQ(pixel(10, 100 + height), korvid::black);

  korvid::outtext("\xFF");  // refused text leaves the position
  korvid::outtext(blanks);
  EXPECT_EQ(pixel(10, 100 + height), blue);
}

TEST(DrawText, JustificationPlacesTextBetweenThePositionAndTheRightEdge) {
  open_window(300, 200);
  prepare_blank_text();
  const int width = korvid::textwidth(blanks);
  const int right = korvid::getmaxx() + 1;

  korvid::settextjustify(korvid::center_text, korvid::top_text);
  korvid::outtextxy(40, 10, blanks);
  const int left = (40 + right - width) / 2;
  EXPECT_EQ(pixel(left - 1, 10), korvid::black);
  EXPECT_EQ(pixel(left, 10), blue);
  EXPECT_EQ(pixel(left + width - 1, 10), blue);
  EXPECT_EQ(pixel(left + width, 10), korvid::black);

  korvid::settextjustify(korvid::right_text, korvid::top_text);
  korvid::outtextxy(40, 60, blanks);
  EXPECT_EQ(pixel(right - 1, 60), blue);
  EXPECT_EQ(pixel(right - width, 60), blue);
  EXPECT_EQ(pixel(right - width - 1, 60), korvid::black);

  korvid::settextjustify(korvid::left_text, korvid::top_text);
  korvid::outtextxy(40, 110, blanks);
  EXPECT_EQ(pixel(40, 110), blue);
  EXPECT_EQ(pixel(39, 110), korvid::black);

  // Vertical justification is only recorded: text is always top-aligned.
  korvid::settextjustify(korvid::left_text, korvid::bottom_text);
  EXPECT_EQ(korvid::gettextsettings().vert, korvid::bottom_text);
  korvid::outtextxy(40, 160, blanks);
  EXPECT_EQ(pixel(40, 160), blue);
  EXPECT_EQ(pixel(40, 159), korvid::black);
}

TEST(DrawText, TextIsDrawnInTheDrawingColourAndSmoothed) {
  open_window(300, 200);
  korvid::settextstyle(korvid::font::sans_bold, korvid::horiz_dir, 60);
  korvid::setcolor(red);
  korvid::outtextxy(10, 10, "O");
  const int width = korvid::textwidth("O");
  const int height = korvid::textheight("O");
  int full = 0;
  int partial = 0;
  for (int y = 10; y < 10 + height; ++y) {
    for (int x = 10; x < 10 + width; ++x) {
      const int c = pixel(x, y);
      EXPECT_EQ(c & 0xFFFF00, 0) << x << "," << y;  // red only, on black
      if (c == red) ++full;
      if ((c & 0xFF) != 0 && c != red) ++partial;
    }
  }
  EXPECT_GT(full, 50);
  EXPECT_GT(partial, 10);
}

TEST(DrawText, VerticalTextReadsUpwardsAndMovesThePositionRight) {
  open_window(300, 300);
  korvid::settextstyle(korvid::font::sans, korvid::vert_dir, 24);
  korvid::setbkcolor(blue);
  const std::string text = "I" + blanks + blanks;
  const int width = korvid::textwidth(text);
  const int height = korvid::textheight(text);
  korvid::settextxy(20, 20);
  korvid::outtext(text);
  // Turned a quarter: `height` wide and `width` tall, corner at the position.
  EXPECT_EQ(pixel(20, 20), blue);
  EXPECT_EQ(pixel(20 + height - 1, 20 + width - 1), blue);
  EXPECT_EQ(pixel(20 + height, 20), korvid::black);
  EXPECT_EQ(pixel(20, 20 + width), korvid::black);
  // The "I" that led the line now sits at the bottom.
  const int third = width / 3;
  EXPECT_GT(count_pixels(20, 20 + width - third, 20 + height - 1, 20 + width - 1, korvid::white), 0);
  EXPECT_EQ(count_pixels(20, 20, 20 + height - 1, 20 + third, korvid::white), 0);
  korvid::outtext(blanks);  // the next block stands to the right
  EXPECT_EQ(pixel(20 + height, 20), blue);
}

TEST(DrawText, FontNumbersPickTheirFamilies) {
  const int id = open_window();
  const auto pick = [id](int font) {
    korvid::settextstyle(font, korvid::horiz_dir, 20);
    return korvid::testing::selected_font(id);
  };
  EXPECT_EQ(pick(korvid::font::sans).family, "DejaVu Sans");
  EXPECT_FALSE(pick(korvid::font::sans).bold);
  EXPECT_TRUE(pick(korvid::font::sans_bold).bold);
  EXPECT_TRUE(pick(korvid::font::default_bold).bold);
  EXPECT_EQ(pick(korvid::font::serif).family, "DejaVu Serif");
  EXPECT_TRUE(pick(korvid::font::serif_bold).bold);
  EXPECT_EQ(pick(korvid::font::mono).family, "DejaVu Sans Mono");
  EXPECT_EQ(korvid::textwidth("iiii"), korvid::textwidth("MMMM"));
  // A real script face, or serif italic where none is installed.
  const auto script = pick(korvid::font::script);
  if (script.family == "DejaVu Serif") {
    EXPECT_TRUE(script.italic);
  } else {
    EXPECT_NE(script.family, "DejaVu Sans");
  }
  EXPECT_EQ(korvid::graphresult(), korvid::gr_ok);

  korvid::settextstyle(korvid::font::serif, korvid::vert_dir, 30);
  korvid::settextstyle(42, korvid::horiz_dir, 10);  // unknown: refused whole
  EXPECT_EQ(korvid::graphresult(), korvid::gr_invalid_font_num);
  const auto settings = korvid::gettextsettings();
  EXPECT_EQ(settings.font, korvid::font::serif);
  EXPECT_EQ(settings.charsize, 30);
  EXPECT_EQ(settings.direction, korvid::vert_dir);
  korvid::settextstyle(korvid::font::sans, korvid::keep_direction, 20);
  EXPECT_EQ(korvid::gettextsettings().direction, korvid::vert_dir);
}

TEST(DrawText, ThemeStyleIsRecordedAsTheDialogFontAtItsHeight) {
  const int id = open_window();
  korvid::setmatchthemetextstyle();
  const auto theme = korvid::gettextsettings();
  EXPECT_EQ(theme.font, korvid::font::dialog);
  EXPECT_GT(theme.charsize, 0);
  const int width = korvid::textwidth("Remaining time");
  const auto face = korvid::testing::selected_font(id);
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, 40);
  korvid::settextstyle(theme.font, korvid::horiz_dir, theme.charsize);
  EXPECT_EQ(korvid::textwidth("Remaining time"), width);
  EXPECT_EQ(korvid::testing::selected_font(id).family, face.family);
  EXPECT_EQ(korvid::testing::selected_font(id).pixel_size, face.pixel_size);
}

TEST(DrawText, FontsAreMadeOncePerStyleAndSize) {
  const int id = open_window();
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, 25);
  const int made = korvid::testing::fonts_made(id);
  for (int i = 0; i < 200; ++i) {
    korvid::textwidth("measure me " + std::to_string(i));
    korvid::textheight("measure me");
    korvid::outtextxy(0, 0, "draw me");
  }
  korvid::settextstyle(korvid::font::sans_bold, korvid::horiz_dir, 25);
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, 25);
  EXPECT_EQ(korvid::testing::fonts_made(id), made + 1);
}

}  // namespace
