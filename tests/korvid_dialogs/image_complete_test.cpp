// Files cut short are told from whole ones before any decoder sees them.
#include "korvid/internal/image_complete.h"

#include <gtest/gtest.h>

#include "test_files.h"

namespace {

using korvid::detail::picture_complete;

// The whole file passes; every shorter start that still names its kind fails.
void expect_only_whole_file_complete(const std::string& bytes, std::size_t may_lack = 0) {
  EXPECT_TRUE(picture_complete(bytes));
  for (std::size_t cut = 4; cut + may_lack < bytes.size(); ++cut) {
    EXPECT_FALSE(picture_complete(bytes.substr(0, cut))) << cut << " of " << bytes.size();
  }
}

TEST(PictureComplete, EachKindNeedsAllItsPicture) {
  expect_only_whole_file_complete(dialogs_test::bmp(3, 5, [](int x, int y) { return x + y; }));
  expect_only_whole_file_complete(dialogs_test::quarters_jpeg());
  expect_only_whole_file_complete(dialogs_test::quarters_gif(), 1);  // the trailer may go
  EXPECT_FALSE(picture_complete(dialogs_test::bmp_header(30000, 30000, 24)));

  // 8-bit runs: two runs, end of line, a literal of three (padded to four), end code.
  std::string rle = dialogs_test::bmp_header(3, 2, 1);
  rle[28] = 8;
  rle[30] = 1;
  rle += std::string("\x03\x00\x00\x00\x00\x03\x01\x00\x01\x00\x00\x01", 12);
  expect_only_whole_file_complete(rle);
  EXPECT_TRUE(picture_complete("\x89PNG\r\n\x1a\n"));  // left to its own decoder
}

}  // namespace
