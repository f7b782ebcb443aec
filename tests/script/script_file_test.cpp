#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "app/script/blanks.h"
#include "app/script/script_file.h"
#include "tests/script/scratch.h"

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
      {"# Intro - 0:00", "Intro", 0, "# Intro", true},
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

TEST(ScriptFile, EveryLevelOneHeadingStartsASegmentEvenOnALastLineWithoutLineEnd) {
  const Script script = parse_script("# One - 1:00\nfirst\n## Part\n# Two - 2:00\r\nsecond\r\n# Three - 0:30");
  ASSERT_EQ(script.script_number_segments(), 3);
  EXPECT_EQ(script.segment(1).lines().size(), 3u);
  EXPECT_EQ(std::tuple(script.segment(3).title(), script.script_runtime()), std::tuple("Three", 210));

  const std::string deck = "# Deck\n## First part\nx\n## Second part\ny\n";
  const Script corrected = parse_script(deck, 2);  // a heading level correction promotes "##"
  ASSERT_EQ(corrected.script_number_segments(), 3);
  EXPECT_EQ(corrected.segment(2).title(), "First part");

  for (const char* text : {"just\nlines\n", ""}) {
    const Script untitled = parse_script(text);
    ASSERT_EQ(untitled.script_number_segments(), 1);
    EXPECT_FALSE(untitled.segment(1).title());
    EXPECT_EQ(untitled.segment(1).time(), 60);
  }
}

// The written form (a heading, an empty line, the body, CR LF) is shown by the
// saves below and through the panels. Read back, a heading typed into a body
// starts a segment of its own, and a fence left open closes before the next.
TEST(ScriptFile, BodyHeadingsStartSegmentsAndOpenFencesCloseWhenReadBack) {
  Script script = parse_script("# Welcome - 1:30\nHello\n# Questions - 5:00\nAny questions?\n");
  script.segment(1).set_content("```\nint x;");
  script.segment(2).set_content("# Own heading - 0:45\ntext");
  const Script again = parse_script(script_text(script));
  ASSERT_EQ(again.script_number_segments(), 3);
  EXPECT_EQ(std::tuple(again.segment(3).title(), again.segment(3).time()), std::tuple("Own heading", 45));
}

TEST(ScriptFile, NonPositiveLengthsKeepTitleAndLengthThroughSaveAndLoad) {
  Script script = parse_script("# Intro - soon\nx\n# Zero - 0:00\ny\n# Behind - -1:30\nz\n");
  const std::string saved = script_text(script);
  EXPECT_EQ(saved,
            "# Intro - soon - 0:00\r\n\r\nx\r\n"
            "# Zero - 0:00\r\n\r\ny\r\n"
            "# Behind - -1:30\r\n\r\nz\r\n");
  Script again = parse_script(saved);
  EXPECT_EQ(std::tuple(again.segment(1).title(), again.segment(1).time()), std::tuple("Intro - soon", 0));
  EXPECT_EQ(again.segment(3).time(), -90);
  EXPECT_EQ(script_text(again), saved);
}

TEST(ScriptFile, LinesBeforeTheFirstHeadingAreKeptAndStayBeforeIt) {
  Script script = parse_script("Notes to self\n=>gemini://x\n\n# Talk - 2:00\nBody\n");
  ASSERT_EQ(script.script_number_segments(), 1);
  EXPECT_EQ(std::tuple(script.segment(1).title(), script.segment(1).lines().front().text),
            std::tuple("Talk", "Notes to self"));
  const std::string saved = script_text(script);
  EXPECT_EQ(saved, "Notes to self\r\n=> gemini://x\r\n\r\n# Talk - 2:00\r\n\r\nBody\r\n");

  // Still drawn and written once the body is edited.
  script.segment(1).set_content("New body");
  EXPECT_EQ(script.segment(1).lines().front().text, "Notes to self");
  EXPECT_EQ(script.segment(1).lines()[3].text, "# Talk");
  EXPECT_EQ(script_text(script), "Notes to self\r\n=> gemini://x\r\n\r\n# Talk - 2:00\r\n\r\nNew body\r\n");
}

TEST(ScriptFile, LoadReportsAMissingFileAndIgnoresBlanksAfterTheName) {
  Scratch_folder folder;
  Load_status status;
  Script script = load_script(folder.file("missing.gmi"), status);
  EXPECT_EQ(std::tuple(status.code, status.reason, script.script_is_empty()),
            std::tuple(1, "No such file or directory", true));

  write_text(folder.file("talk.gmi"), "# A - 1:00\n");
  script = load_script(folder.file("talk.gmi") + "  ", status);
  EXPECT_EQ(std::tuple(status.ok(), script.filename(), script.script_number_segments()),
            std::tuple(true, folder.file("talk.gmi"), 1));
}

// A save replaces the file whole and keeps its permissions; how a failed save
// leaves the old file is shown through the panels that save (FailedSaveTest).
TEST(ScriptFile, SavesReplaceTheFileWholeAndKeepItsPermissions) {
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
  script.script_set_untitled();
  EXPECT_FALSE(script.script_save().written);

  Script empty;  // writes nothing but takes the name
  EXPECT_TRUE(empty.script_save(folder.file("empty.gmi")).written);
  EXPECT_EQ(empty.filename(), folder.file("empty.gmi"));
  EXPECT_FALSE(std::filesystem::exists(folder.file("empty.gmi")));
}

}  // namespace
}  // namespace veltrim
