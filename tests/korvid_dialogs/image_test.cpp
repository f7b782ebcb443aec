// Pictures drawn onto the page: stretched into a rectangle with both corners
// included, and nothing at all from files that are missing, damaged or hostile.
#include <filesystem>
#include <random>

#include "korvid/korvid.h"
#include "korvid/testing.h"
#include "test_files.h"

namespace {

namespace kt = korvid::testing;
using dialogs_test::write_bytes;

constexpr int red = 0x0000FF, green = 0x00FF00, blue = 0xFF0000, white = 0xFFFFFF, black = 0;

class Images : public dialogs_test::DialogsTest {
 protected:
  void SetUp() override {
    DialogsTest::SetUp();
    // One colour a quarter shows where each corner of the picture went.
    write_bytes(quarters, dialogs_test::bmp(2, 2, [](int x, int y) {
                  return y == 0 ? (x == 0 ? red : green) : (x == 0 ? blue : white);
                }));
  }
  int pixel(int x, int y) const { return kt::visual_pixel(window, x, y); }
  bool read(const std::string& name) { return korvid::readimagefile(folder.file(name), 0, 0, 199, 119); }

  std::string quarters = folder.file("quarters.bmp");
};

TEST_F(Images, BitmapLandsStretchedWithBothCornersIncluded) {
  ASSERT_TRUE(korvid::readimagefile(quarters, 10, 10, 19, 29));  // 10 x 20 pixels
  for (const auto& [x, y, colour] : {std::tuple{10, 10, red}, {14, 19, red}, {15, 10, green}, {10, 20, blue},
                                     {19, 29, white}, {20, 29, black}, {19, 30, black}, {9, 9, black}}) {
    EXPECT_EQ(pixel(x, y), colour) << x << "," << y;
  }
  // Corners the other way round: the same size, the picture's corner at the first one.
  ASSERT_TRUE(korvid::readimagefile(quarters, 60, 60, 51, 41));
  EXPECT_EQ(pixel(60, 60), red);
  EXPECT_EQ(pixel(69, 79), white);
  EXPECT_EQ(pixel(70, 80), black);
  // The default corner lies billions of pixels away: the picture's first pixel
  // covers the window, and nothing overflows on the way.
  ASSERT_TRUE(korvid::readimagefile(quarters));
  EXPECT_EQ(pixel(199, 119), red);
  ASSERT_TRUE(korvid::readimagefile(quarters, -10, -10, 9, 9));  // partly off the page
  EXPECT_EQ(pixel(0, 0), white);
}

// The program draws a bitmap; a PNG stands for the other kinds.
TEST_F(Images, PngDrawsAndDamagedHostileOrMissingFilesDrawNothing) {
  ASSERT_TRUE(korvid::readimagefile(quarters, 0, 0, 199, 119));
  ASSERT_TRUE(kt::save_visual_page(window, folder.file("page.png")));
  korvid::cleardevice();
  ASSERT_TRUE(read("page.png"));
  EXPECT_EQ(std::tuple(pixel(13, 2), pixel(199, 119)), std::tuple(red, white));

  const std::string cut_png = folder.file("cut.png");
  std::filesystem::copy_file(folder.file("page.png"), cut_png);
  std::filesystem::resize_file(cut_png, std::filesystem::file_size(cut_png) * 2 / 3);
  std::mt19937 random(7);
  std::string noise(4096, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  write_bytes(folder.file("noise.bmp"), noise);
  write_bytes(folder.file("cut.bmp"), dialogs_test::bmp_header(40, 40, 24) + std::string(100, 'x'));
  write_bytes(folder.file("liar.bmp"), dialogs_test::bmp_header(30000, 30000, 24));
  // A real picture just over a hundred megapixels, small at one bit a pixel.
  write_bytes(folder.file("huge.bmp"), dialogs_test::bmp_header(10001, 10000, 1) +
                                           std::string(std::size_t{1252} * 10000, '\0'));
  write_bytes(folder.file("white.bmp"), dialogs_test::bmp(1, 1, [](int, int) { return white; }));
  ASSERT_TRUE(read("white.bmp"));
  for (const char* name : {"cut.png", "noise.bmp", "cut.bmp", "liar.bmp", "huge.bmp", "missing.bmp", ""}) {
    EXPECT_FALSE(read(name)) << name;
  }
  EXPECT_EQ(pixel(0, 0), white);
  EXPECT_EQ(pixel(199, 119), white);
}

}  // namespace
