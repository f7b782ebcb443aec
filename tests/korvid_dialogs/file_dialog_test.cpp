// Open and save dialogs: what they offer, what they give back, and how the
// save dialog protects the user's work; the extension it adds. Pictures drawn
// onto the page: stretched into a rectangle with both corners included, and
// nothing at all from files that are missing, damaged or hostile.
#include <filesystem>
#include <random>
#include <tuple>

#include "korvid/internal/dialog_text.h"
#include "korvid/korvid.h"
#include "korvid/testing.h"
#include "test_files.h"

namespace {

namespace kt = korvid::testing;
using dialogs_test::write_bytes;

class FileDialogs : public dialogs_test::DialogsTest {
 protected:
  std::string name = folder.path + "/";  // a folder: the dialog starts there, suggesting no name
};

TEST_F(FileDialogs, OpenGivesTheChosenPathAndShowsTheCallersChoices) {
  kt::press_ok();  // with no name suggested nothing is chosen
  EXPECT_EQ(korvid::dlgopenfile(name), 0);
  EXPECT_EQ(kt::last_dialog().title, "Open File");
  name = folder.file("talk.gmi");
  kt::type_and_accept("other.gmi");
  EXPECT_EQ(korvid::dlgopenfile(name, "Veltrim Script", "*.gmi", "Select a script"), 1);
  EXPECT_EQ(name, folder.file("other.gmi"));
  const kt::ShownDialog shown = kt::last_dialog();
  EXPECT_EQ(std::tuple(shown.title, shown.selected_filter, shown.folder, shown.suggested, shown.owned),
            std::tuple("Select a script", "Veltrim Script (*.gmi)", folder.path, "talk.gmi", true));
  EXPECT_EQ(shown.filters, (std::vector<std::string>{"Veltrim Script (*.gmi)", "All Files (*)"}));
  kt::cancel_dialog();
  EXPECT_EQ(korvid::dlgopenfile(name, "", "*.md"), 0);
  EXPECT_EQ(name, folder.file("other.gmi"));
}

TEST_F(FileDialogs, SaveAddsTheFiltersExtensionAndAsksBeforeReplacing) {
  for (const auto& [typed, pattern, saved] : {std::tuple{"talk", "*.gmi", "talk.gmi"},
                                              {"notes.txt", "*.gmi", "notes.txt"},
                                              {"readme", "*.md;*.markdown", "readme"}}) {
    kt::type_and_accept(typed);
    EXPECT_EQ(korvid::dlgsavefile(name, "Any", pattern), 1);
    EXPECT_EQ(name, folder.file(saved));
  }
  EXPECT_EQ(kt::last_dialog().title, "Save File");

  dialogs_test::write_bytes(folder.file("talk.gmi"), "# Old - 1:00\r\n");
  kt::forget_dialogs();
  kt::type_and_accept("talk");
  kt::press_no();  // back to the dialog, which suggests the name given
  kt::type_and_accept("fresh");
  EXPECT_EQ(korvid::dlgsavefile(name, "Veltrim Script", "*.gmi", "Save as"), 1);
  EXPECT_EQ(name, folder.file("fresh.gmi"));
  const auto shown = kt::shown_dialogs();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(std::tuple(shown[1].title, shown[1].text, shown[2].suggested),
            std::tuple("Warning", "talk.gmi already exists.\nDo you want to replace it?", "talk.gmi"));
  kt::type_and_accept("talk.gmi");
  kt::press_yes();
  EXPECT_EQ(korvid::dlgsavefile(name, "Veltrim Script", "*.gmi", "Save as"), 1);
  EXPECT_EQ(name, folder.file("talk.gmi"));
  kt::cancel_dialog();
  EXPECT_EQ(korvid::dlgsavefile(name, "Veltrim Script", "*.gmi", "Save as"), 0);
}

TEST(DefaultExtension, OnlyASingleExtensionGoesToANameWithoutOne) {
  using namespace korvid::detail;
  EXPECT_EQ(single_extension(" *.md "), "md");
  for (const char* none : {"*.*", "*.g?i", "talk.gmi", ""}) EXPECT_EQ(single_extension(none), "") << none;
  // A dot in a folder's name, or the one that starts a hidden file's, is no extension.
  EXPECT_EQ(with_default_extension("/home/ada.v2/talk", "gmi"), "/home/ada.v2/talk.gmi");
  EXPECT_EQ(with_default_extension("/home/ada/.talk", "gmi"), "/home/ada/.talk.gmi");
  EXPECT_EQ(with_default_extension("/home/ada/", "gmi"), "/home/ada/");
}

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
