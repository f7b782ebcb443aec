#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "app/blanks.h"
#include "app/script_file.h"
#include "tests/model/scratch.h"

namespace veltrim {
namespace {

using testing::read_text;
using testing::Scratch_folder;
using testing::write_text;

struct Heading_case {
  const char* line;
  const char* title;
  std::int32_t seconds;
  const char* drawn;
  bool length_from_heading;
};

TEST(ScriptFile, HeadingsGiveTitleAndLength) {
  const Heading_case cases[] = {
      {"# Intro - 2:30", "Intro", 150, "# Intro", true},
      {"# Intro", "Intro", 60, "# Intro", false},
      {"#Intro - 1:00", "Intro", 60, "#Intro", true},
      {"# Q - A - 1:00", "Q - A", 60, "# Q - A", true},
      {"# Intro - soon", "Intro - soon", 0, "# Intro - soon", false},
      {"# - 1:00", "- 1:00", 60, "# - 1:00", false},
      {"# Intro - 2 MIN", "Intro", 120, "# Intro", true},
      {"# Intro - 0:00", "Intro", 0, "# Intro", true},
      {"# Intro - -1:30", "Intro", -90, "# Intro", true},
      {"# Intro - 00:00", "Intro - 00:00", 0, "# Intro - 00:00", false},
  };
  for (const auto& c : cases) {
    const Script script = parse_script(std::string(c.line) + "\nBody\n");
    ASSERT_EQ(script.script_number_segments(), 1) << c.line;
    const Segment& segment = script.segment(1);
    EXPECT_EQ(segment.title(), c.title) << c.line;
    EXPECT_EQ(segment.time(), c.seconds) << c.line;
    EXPECT_EQ(without_trailing_blanks(segment.lines().front().text), c.drawn) << c.line;
    EXPECT_EQ(segment.length_from_heading(), c.length_from_heading) << c.line;
  }
}

TEST(ScriptFile, EveryLevelOneHeadingStartsASegment) {
  const Script script = parse_script("# One - 1:00\nfirst\n## Part\n# Two - 2:00\r\nsecond\r\n");
  ASSERT_EQ(script.script_number_segments(), 2);
  EXPECT_EQ(script.segment(1).lines().size(), 3u);
  EXPECT_EQ(script.segment(2).lines().back().kind, kind_none);
  EXPECT_EQ(script.script_runtime(), 180);
}

TEST(ScriptFile, AHeadingLevelCorrectionLetsDeeperHeadingsStartSegments) {
  const std::string text = "# Deck\n## First part\nx\n## Second part\ny\n";
  EXPECT_EQ(parse_script(text).script_number_segments(), 1);
  const Script corrected = parse_script(text, 2);
  ASSERT_EQ(corrected.script_number_segments(), 3);
  EXPECT_EQ(corrected.segment(2).title(), "First part");
}

TEST(ScriptFile, AFileWithoutHeadingsIsOneUntitledSegment) {
  const Script script = parse_script("just\nlines\n");
  ASSERT_EQ(script.script_number_segments(), 1);
  EXPECT_FALSE(script.segment(1).title());
  EXPECT_EQ(script.segment(1).time(), 60);
  EXPECT_EQ(script.segment(1).lines().size(), 3u);
  const Script empty = parse_script("");
  ASSERT_EQ(empty.script_number_segments(), 1);
  EXPECT_EQ(empty.segment(1).lines().size(), 1u);
}

TEST(ScriptFile, AHeadingOnTheLastLineWithoutLineEndStartsASegment) {
  const Script script = parse_script("# One - 1:00\nbody\n# Two - 0:30");
  ASSERT_EQ(script.script_number_segments(), 2);
  EXPECT_EQ(script.segment(2).title(), "Two");
  EXPECT_EQ(script.segment(2).time(), 30);
}

TEST(ScriptFile, WritesHeadingEmptyLineAndBodyWithCrLf) {
  Script script;
  Segment welcome;
  welcome.set_title("Welcome");
  welcome.set_time_number(90);
  welcome.set_content("Hello, world");
  script.script_add_segment(std::move(welcome));
  Segment questions;
  questions.set_title("Questions");
  questions.set_time_number(300);
  questions.set_content("Any questions?\n\n");
  script.script_add_segment(std::move(questions));
  EXPECT_EQ(script_text(script),
            "# Welcome - 1:30\r\n\r\nHello, world\r\n"
            "# Questions - 5:00\r\n\r\nAny questions?\r\n");
}

TEST(ScriptFile, NonPositiveLengthsKeepTitleAndLengthThroughSaveAndLoad) {
  Script script = parse_script("# Intro - soon\nx\n# Zero - 0:00\ny\n# Behind - -1:30\nz\n");
  const std::string saved = script_text(script);
  EXPECT_EQ(saved,
            "# Intro - soon - 0:00\r\n\r\nx\r\n"
            "# Zero - 0:00\r\n\r\ny\r\n"
            "# Behind - -1:30\r\n\r\nz\r\n");
  Script again = parse_script(saved);
  EXPECT_EQ(again.segment(1).title(), "Intro - soon");
  EXPECT_EQ(again.segment(1).time(), 0);
  EXPECT_EQ(again.segment(3).time(), -90);
  EXPECT_EQ(script_text(again), saved);
}

TEST(ScriptFile, LinesBeforeTheFirstHeadingAreKeptAndStayBeforeIt) {
  Script script = parse_script("Notes to self\n=>gemini://x\n\n# Talk - 2:00\nBody\n");
  ASSERT_EQ(script.script_number_segments(), 1);
  EXPECT_EQ(script.segment(1).title(), "Talk");
  EXPECT_EQ(script.segment(1).lines().front().text, "Notes to self");
  const std::string saved = script_text(script);
  EXPECT_EQ(saved, "Notes to self\r\n=> gemini://x\r\n\r\n# Talk - 2:00\r\n\r\nBody\r\n");

  // Still drawn and written once the body is edited.
  script.segment(1).set_content("New body");
  EXPECT_EQ(script.segment(1).lines().front().text, "Notes to self");
  EXPECT_EQ(script.segment(1).lines()[3].text, "# Talk");
  EXPECT_EQ(script_text(script), "Notes to self\r\n=> gemini://x\r\n\r\n# Talk - 2:00\r\n\r\nNew body\r\n");
}

TEST(ScriptFile, ABodyHeadingIsWrittenUnchangedAndStartsASegmentWhenRead) {
  Script script;
  Segment segment = Segment::empty();
  segment.set_content("# Own heading - 0:45\ntext");
  script.script_add_segment(std::move(segment));
  const Script again = parse_script(script_text(script));
  ASSERT_EQ(again.script_number_segments(), 2);
  EXPECT_EQ(again.segment(2).title(), "Own heading");
  EXPECT_EQ(again.segment(2).time(), 45);
}

TEST(ScriptFile, AFenceLeftOpenIsClosedBeforeTheNextSegment) {
  Script script;
  Segment code = Segment::empty();
  code.set_content("```\nint x;");
  script.script_add_segment(std::move(code));
  script.script_add_segment();
  const Script again = parse_script(script_text(script));
  EXPECT_EQ(again.script_number_segments(), 2);
}

TEST(ScriptFile, LoadReportsAMissingFileAndOtherFailures) {
  Scratch_folder folder;
  Load_status status;
  Script script = load_script(folder.file("missing.gmi"), status);
  EXPECT_EQ(status.code, 1);
  EXPECT_EQ(status.reason, "No such file or directory");
  EXPECT_TRUE(script.script_is_empty());

  script = load_script(folder.path.string(), status);
  EXPECT_EQ(status.code, EISDIR);
  EXPECT_TRUE(script.script_is_empty());
  EXPECT_EQ(script.filename(), "");

  write_text(folder.file("talk.gmi"), "# A - 1:00\n");
  script = load_script(folder.file("talk.gmi") + "  ", status);
  EXPECT_TRUE(status.ok());
  EXPECT_EQ(script.filename(), folder.file("talk.gmi"));
  EXPECT_EQ(script.script_number_segments(), 1);
}

TEST(ScriptFile, SaveReplacesTheFileWholeAndKeepsItsPermissions) {
  Scratch_folder folder;
  const std::string file = folder.file("talk.gmi");
  write_text(file, std::string(100'000, 'x'));
  ::chmod(file.c_str(), 0640);
  Script script = parse_script("# Short - 0:10\nbody\n");
  const Save_result saved = script.script_save(file);
  EXPECT_TRUE(saved.written) << saved.reason;
  EXPECT_EQ(read_text(file), "# Short - 0:10\r\n\r\nbody\r\n");
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path), {}), 1);
}

TEST(ScriptFile, AFailedSaveSaysWhyAndLeavesNothingBehind) {
  Scratch_folder folder;
  Script script = parse_script("# A - 1:00\n");
  Save_result saved = script.script_save(folder.file("no/such/folder.gmi"));
  EXPECT_FALSE(saved.written);
  EXPECT_NE(saved.reason.find("No such file or directory"), std::string::npos) << saved.reason;

  std::filesystem::create_directory(folder.path / "taken.gmi");
  saved = script.script_save(folder.file("taken.gmi"));
  EXPECT_FALSE(saved.written);
  EXPECT_NE(saved.reason.find("Is a directory"), std::string::npos) << saved.reason;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path), {}), 1);

  script.script_set_untitled();
  EXPECT_FALSE(script.script_save().written);
}

TEST(ScriptFile, AScriptWithoutSegmentsWritesNothingButKeepsTheName) {
  Scratch_folder folder;
  Script script;
  const Save_result saved = script.script_save(folder.file("empty.gmi"));
  EXPECT_TRUE(saved.written);
  EXPECT_EQ(script.filename(), folder.file("empty.gmi"));
  EXPECT_FALSE(std::filesystem::exists(folder.file("empty.gmi")));
}

}  // namespace
}  // namespace veltrim
