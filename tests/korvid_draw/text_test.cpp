// Text: measuring, the text position, justification, fonts and their cache,
// and bytes that are not UTF-8 shown as U+FFFD.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "draw_support.h"
#include "korvid/testing_draw.h"

namespace {

using namespace draw_test;

// Text made of blanks paints only its background box, so its edges can be
// found exactly.
const std::string blanks = "    ";

void prepare_blank_text() {
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, 20);
  korvid::setbkcolor(blue);
}

TEST(DrawText, WidthGrowsWithTheTextAndTheSize) {
  open_window();
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, 12);
  EXPECT_GT(korvid::textwidth("ab"), korvid::textwidth("a"));
  EXPECT_EQ(korvid::textwidth(""), 0);
  const int small = korvid::textwidth("Hello, world");
  const int small_height = korvid::textheight("Hello, world");
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, 40);
  EXPECT_GT(korvid::textwidth("Hello, world"), 2 * small);
  EXPECT_GT(korvid::textheight("Hello, world"), 2 * small_height);
  // Text ends at a NUL, as the program's texts do.
  EXPECT_EQ(korvid::textwidth(std::string("ab\0cd", 5)), korvid::textwidth("ab"));
  // The size is the height of a line.
  for (const int size : {10, 25, 72}) {
    korvid::settextstyle(korvid::font::serif, korvid::horiz_dir, size);
    EXPECT_LE(korvid::textheight("Xg"), size + size / 8) << size;
    EXPECT_GE(korvid::textheight("Xg"), size - size / 8 - 1) << size;
  }
}

TEST(DrawText, EveryByteThatIsNotUtf8IsMeasuredAndDrawnAsAReplacementCharacter) {
  open_window();
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, 20);
  const std::string gap = "\uFFFD";
  EXPECT_EQ(korvid::textwidth("Caf\xE9"), korvid::textwidth("Caf" + gap));
  // One for each byte: a character cut short, an overlong form, an encoded surrogate.
  EXPECT_EQ(korvid::textwidth("a\xE2\x82 \xC0\x80 \xED\xA0\x80"),
            korvid::textwidth("a" + gap + gap + " " + gap + gap + " " + gap + gap + gap));
  korvid::outtextxy(10, 10, "\xFF\xFE");
  EXPECT_GT(count_marked(0, 0, 100, 60), 0);
}

TEST(DrawText, OuttextStacksLinesAndOuttextxyStaysOnItsRow) {
  open_window(300, 200);
  prepare_blank_text();
  const int height = korvid::textheight(blanks);
  const int width = korvid::textwidth(blanks);
  korvid::settextxy(10, 10);
  korvid::outtext(blanks);
  EXPECT_EQ(count_pixels(9, 10, 10 + width, 10, blue), width);  // exactly its width
  EXPECT_EQ(pixel(9, 10), korvid::black);
  korvid::outtext(blanks);  // one line further down, same left edge
  EXPECT_EQ(pixel(10, 10 + height), blue);
  EXPECT_EQ(pixel(10, 10 + 2 * height), korvid::black);

  korvid::outtextxy(10, 100, blanks);
  korvid::outtextxy(10, 100, blanks);  // the same place again
  EXPECT_EQ(pixel(10, 100 + height), korvid::black);
  korvid::outtext(blanks);
  EXPECT_EQ(pixel(10, 100 + height), blue);
}

TEST(DrawText, JustificationPlacesTextBetweenThePositionAndTheRightEdge) {
  open_window(300, 200);
  prepare_blank_text();
  const int width = korvid::textwidth(blanks);
  const int right = korvid::getmaxx() + 1;
  const int centred = (40 + right - width) / 2;
  const struct {
    int horiz, vert, y, left;
  } cases[] = {{korvid::center_text, korvid::top_text, 10, centred},
               {korvid::left_text, korvid::top_text, 110, 40},
               // Vertical justification is only recorded: text is always top-aligned.
               {korvid::left_text, korvid::bottom_text, 160, 40}};
  for (const auto& c : cases) {
    korvid::settextjustify(c.horiz, c.vert);
    korvid::outtextxy(40, c.y, blanks);
    EXPECT_EQ(count_pixels(0, c.y, right - 1, c.y, blue), width) << c.y;
    EXPECT_EQ(pixel(c.left, c.y), blue) << c.y;
    EXPECT_EQ(pixel(c.left + width - 1, c.y), blue) << c.y;
    EXPECT_EQ(pixel(c.left, c.y - 1), korvid::black) << c.y;
  }
}

TEST(DrawText, TextIsDrawnInTheDrawingColourAndSmoothed) {
  open_window(300, 200);
  korvid::settextstyle(korvid::font::sans_bold, korvid::horiz_dir, 60);
  korvid::setcolor(red);
  korvid::outtextxy(10, 10, "O");
  int full = 0;
  int partial = 0;
  for (int y = 10; y < 10 + korvid::textheight("O"); ++y) {
    for (int x = 10; x < 10 + korvid::textwidth("O"); ++x) {
      const int c = pixel(x, y);
      EXPECT_EQ(c & 0xFFFF00, 0) << x << "," << y;  // red only, on black
      full += c == red ? 1 : 0;
      partial += (c & 0xFF) != 0 && c != red ? 1 : 0;
    }
  }
  EXPECT_GT(full, 50);
  EXPECT_GT(partial, 10);
}

TEST(DrawText, FontNumbersPickTheirFamiliesAndUnknownOnesAreRefused) {
  const int id = open_window();
  const auto pick = [id](int font) {
    korvid::settextstyle(font, korvid::horiz_dir, 20);
    return korvid::testing::selected_font(id);
  };
  EXPECT_EQ(pick(korvid::font::sans).family, "DejaVu Sans");
  EXPECT_FALSE(pick(korvid::font::sans).bold);
  EXPECT_EQ(pick(korvid::font::serif_bold).family, "DejaVu Serif");
  EXPECT_TRUE(pick(korvid::font::serif_bold).bold);
  EXPECT_EQ(pick(korvid::font::mono).family, "DejaVu Sans Mono");
  EXPECT_EQ(korvid::textwidth("iiii"), korvid::textwidth("MMMM"));
  EXPECT_EQ(korvid::graphresult(), korvid::gr_ok);

  korvid::settextstyle(korvid::font::serif, korvid::horiz_dir, 30);
  korvid::settextstyle(42, korvid::horiz_dir, 10);  // unknown: refused whole
  EXPECT_EQ(korvid::graphresult(), korvid::gr_invalid_font_num);
  const auto settings = korvid::gettextsettings();
  EXPECT_EQ(std::tuple(settings.font, settings.charsize), std::tuple(korvid::font::serif, 30));

  // The theme style is recorded as the dialog font at its height.
  korvid::setmatchthemetextstyle();
  const auto theme = korvid::gettextsettings();
  EXPECT_EQ(theme.font, korvid::font::dialog);
  const int width = korvid::textwidth("Remaining time");
  korvid::settextstyle(theme.font, korvid::horiz_dir, theme.charsize);
  EXPECT_EQ(korvid::textwidth("Remaining time"), width);
}

// A fontconfig setup that knows no font folders at all.
std::string write_empty_font_config() {
  const auto folder = std::filesystem::temp_directory_path() /
                      ("korvid-nofonts-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::filesystem::create_directories(folder);
  const auto path = folder / "fonts.conf";
  std::ofstream(path) << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                      << "<fontconfig><cachedir>" << (folder / "cache").string()
                      << "</cachedir></fontconfig>\n";
  return path.string();
}

TEST(DrawFontCheckDeathTest, FirstWindowEndsTheProcessWhenNoFontHasGlyphs) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string config = write_empty_font_config();
  ASSERT_EQ(setenv("FONTCONFIG_FILE", config.c_str(), 1), 0);
  EXPECT_EXIT(korvid::initwindow(100, 100, "No fonts"), ::testing::ExitedWithCode(1),
              "no installed font has real glyphs");
  std::filesystem::remove_all(std::filesystem::path(config).parent_path());
}

}  // namespace
