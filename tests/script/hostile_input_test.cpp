// Bytes that are not text, and lines far longer than any person writes, are
// read and written back as they came.
#include <gtest/gtest.h>

#include <string>

#include "app/script/script_file.h"
#include "tests/script/scratch.h"

namespace veltrim {
namespace {

TEST(HostileInput, InvalidUtf8AndNulBytesSurviveInTitlesAndBodies) {
  const std::string title("T\0\xff\xfe\xc3(", 6);
  const std::string body("\xed\xa0\x80 \0\0 \xf4\x90\x80\x80", 12);
  Script script = parse_script("# " + title + " - 1:00\n" + body + "\n");
  ASSERT_EQ(script.script_number_segments(), 1);
  EXPECT_EQ(script.segment(1).title(), title);
  std::string saved = script_text(script);
  EXPECT_EQ(saved, "# " + title + " - 1:00\r\n\r\n" + body + "\r\n");
  // Through a file and back, byte for byte (without the NULs: such a file is
  // refused as not a text file).
  std::erase(saved, '\0');
  testing::Scratch_folder folder;
  const std::string file = folder.file("hostile.gmi");
  testing::write_text(file, saved);
  Load_status status;
  Script loaded = load_script(file, status);
  ASSERT_TRUE(status.ok());
  ASSERT_TRUE(loaded.script_save().written);
  EXPECT_EQ(testing::read_text(file), saved);
}

TEST(HostileInput, AHundredMegabyteLineIsReadAndWrittenWhole) {
  const std::size_t size = 100u << 20;
  std::string bytes = "# Long - 1:00\n";
  bytes.append(size, 'w');
  bytes += "\n# ";
  bytes.append(size / 10, 't');
  bytes += " - 0:30";
  Script script = parse_script(bytes);
  ASSERT_EQ(script.script_number_segments(), 2);
  EXPECT_EQ(script.segment(1).lines()[1].text.size(), size);
  EXPECT_EQ(script.segment(2).title()->size(), size / 10);
  EXPECT_EQ(script.segment(2).time(), 30);
  const std::string saved = script_text(script);
  EXPECT_EQ(saved.size(), bytes.size() + 8);  // CR LF line ends, an empty line after each heading
}

}  // namespace
}  // namespace veltrim
