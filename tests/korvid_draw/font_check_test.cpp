// Without fonts text would show as empty boxes; the first window refuses to
// open instead and says why.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "draw_support.h"

namespace {

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
