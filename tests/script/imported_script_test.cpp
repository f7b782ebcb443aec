// A converter's output loaded as a script: the heading level chooses the
// segments first, then headings deeper than gemtext's three are lifted, and
// lengths are estimated at the presenter's rate.
#include <gtest/gtest.h>

#include <string>

#include "app/script/imported_script.h"
#include "tests/script/scratch.h"

namespace veltrim {
namespace {

std::string words(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "word ";
  return text;
}

TEST(ImportedScript, DeepHeadingsBecomeLevelThreeAfterTheLevelChoseTheSegments) {
  testing::Scratch_folder folder;
  const std::string file = folder.file("converted.gmi");
  testing::write_text(file, "## Part - 1:00\r\n#### Four\r\n###### Six\r\n### Three\r\n####x no heading\r\n");
  for (const int level : {1, 2}) {
    Load_status status;
    Script script = load_imported_script(file, status, level, 130);
    ASSERT_TRUE(status.ok());
    EXPECT_TRUE(script.filename().empty());
    if (level == 1) {
      // Nothing at level 1: everything is the body of one untitled segment.
      ASSERT_EQ(script.script_number_segments(), 1);
      EXPECT_EQ(script.segment(1).as_text(),
                "## Part - 1:00\r\n### Four\r\n### Six\r\n### Three\r\n####x no heading\r\n\r\n\r\n");
    } else {
      ASSERT_EQ(script.script_number_segments(), 1);
      EXPECT_EQ(script.segment(1).title(), "Part");
      EXPECT_EQ(script.segment(1).as_text(), "### Four\r\n### Six\r\n## Three\r\n####x no heading\r\n\r\n\r\n");
    }
  }
}

TEST(ImportedScript, LengthsAreEstimatedAtThePresentersRate) {
  testing::Scratch_folder folder;
  const std::string file = folder.file("converted.gmi");
  testing::write_text(file, "# Long\r\n" + words(260) + "\r\n# Written - 0:30\r\n" + words(260) + "\r\n");
  for (const auto& [rate, seconds] : {std::pair{100, 150}, {130, 120}, {200, 75}}) {
    Load_status status;
    const Script script = load_imported_script(file, status, 1, rate);
    ASSERT_EQ(script.script_number_segments(), 2);
    EXPECT_EQ(script.segment(1).time(), seconds) << rate << " words a minute";
    EXPECT_EQ(script.segment(2).time(), 30) << "a length the author wrote stays";
  }
}

}  // namespace
}  // namespace veltrim
