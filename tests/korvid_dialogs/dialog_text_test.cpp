// The filter and extension rules of the file dialogs.
#include "korvid/internal/dialog_text.h"

#include <gtest/gtest.h>

namespace {

using namespace korvid::detail;
using Filters = std::vector<std::string>;

TEST(FileFilters, CallersPatternFirstThenAllFilesWithLimits) {
  EXPECT_EQ(file_filters("", "*.gmi"), (Filters{"*.gmifiles (*.gmi)", "All Files (*)"}));
  EXPECT_EQ(file_filters("Pictures", "*.BMP; *.GIF;;*.*"),
            (Filters{"Pictures (*.BMP *.GIF *)", "All Files (*)"}));
  EXPECT_EQ(file_filters("Veltrim Script", " "), (Filters{"All Files (*)"}));
  EXPECT_EQ(file_filters(std::string(70, 'd'), "*.md")[0], std::string(64, 'd') + " (*.md)");
  const std::string pattern = "*." + std::string(40, 'x');
  EXPECT_EQ(file_filters("", pattern)[0], pattern.substr(0, 32) + "files (" + pattern + ")");
}

TEST(DefaultExtension, OnlyASingleExtensionGoesToANameWithoutOne) {
  EXPECT_EQ(single_extension(" *.md "), "md");
  for (const char* none : {"*.md;*.markdown", "*.*", "*.g?i", "talk.gmi", ""}) {
    EXPECT_EQ(single_extension(none), "") << none;
  }
  EXPECT_EQ(with_default_extension("/home/ada.v2/talk", "gmi"), "/home/ada.v2/talk.gmi");
  EXPECT_EQ(with_default_extension("/home/ada/.talk", "gmi"), "/home/ada/.talk.gmi");
  EXPECT_EQ(with_default_extension("/home/ada/talk.txt", "gmi"), "/home/ada/talk.txt");
  EXPECT_EQ(with_default_extension("/home/ada/", "gmi"), "/home/ada/");
}

}  // namespace
