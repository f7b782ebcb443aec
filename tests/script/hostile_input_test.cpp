// Bytes that are not text, and lines far longer than any person writes, are
// read and written back as they came.
#include <gtest/gtest.h>

#include <string>

#include "app/script/script_file.h"
#include "tests/script/scratch.h"

namespace veltrim {
namespace {

// Any byte but NUL: a file that holds one is refused as not a text file.
std::string random_bytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random() % 255 + 1);
  return bytes;
}

// Loads the bytes from a file, saves, loads and saves again: the two saves agree.
void expect_survives_load_and_save(const std::string& bytes) {
  testing::Scratch_folder folder;
  const std::string file = folder.file("hostile.gmi");
  testing::write_text(file, bytes);
  Load_status status;
  Script script = load_script(file, status);
  ASSERT_TRUE(status.ok());
  ASSERT_TRUE(script.script_save().written);
  const std::string first = testing::read_text(file);
  script = load_script(file, status);
  ASSERT_TRUE(script.script_save().written);
  EXPECT_TRUE(testing::read_text(file) == first);
}

TEST(HostileInput, BinaryFilesAndFloodsOfLineEndsAndFencesAreReadAndWrittenAsBytes) {
  for (unsigned seed = 1; seed <= 20; ++seed) expect_survives_load_and_save(random_bytes(200'000, seed));
  std::string line_ends;
  for (int i = 0; i < 250'000; ++i) line_ends += i % 7 == 0 ? "```\r" : "\r\n\n";
  expect_survives_load_and_save(line_ends);
}

TEST(HostileInput, InvalidUtf8AndNulBytesSurviveInTitlesAndBodies) {
  const std::string title("T\0\xff\xfe\xc3(", 6);
  const std::string body("\xed\xa0\x80 \0\0 \xf4\x90\x80\x80", 12);
  Script script = parse_script("# " + title + " - 1:00\n" + body + "\n");
  ASSERT_EQ(script.script_number_segments(), 1);
  EXPECT_EQ(script.segment(1).title(), title);
  std::string saved = script_text(script);
  EXPECT_EQ(saved, "# " + title + " - 1:00\r\n\r\n" + body + "\r\n");
  std::erase(saved, '\0');
  expect_survives_load_and_save(saved);
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
