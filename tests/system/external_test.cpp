#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <tuple>

#include "app/system/external.h"
#include "app/script/length_estimate.h"
#include "tests/script/scratch.h"

namespace veltrim {
namespace {

namespace fs = std::filesystem;
using Arguments = std::vector<std::string>;

// A program folder holding the fake converter under both converters' names, and
// a temporary folder of its own, so each test sees exactly the files it makes.
class Converters : public ::testing::Test {
 protected:
  Converters() {
    fs::create_directories(temporary);
    fs::create_directories(program);
    fs::copy_file(FAKE_CONVERTER, marktext);
    fs::copy_file(FAKE_CONVERTER, slidetext);
  }

  // The arguments the fake converter was last called with.
  Arguments recorded() const {
    Arguments arguments;
    std::istringstream text(testing::read_text(program / "arguments"));
    for (std::string argument; std::getline(text, argument, '\0');) arguments.push_back(argument);
    return arguments;
  }

  testing::Scratch_folder folder;
  fs::path scratch = folder.path;
  fs::path program = scratch / "program", temporary = scratch / "temporary";
  std::string marktext = program / "marktext", slidetext = program / "slidetext";
  std::string input = scratch / "talk.md";
  Platform platform{{{"TEMP", temporary}}, program};
};

TEST_F(Converters, KeepTheirArgumentOrdersAndHandTheOutputToTheCaller) {
  std::string output;
  {
    auto conversion = markdown_to_gemtext(platform, input);
    ASSERT_TRUE(conversion.succeeded()) << conversion.error_line;
    output = conversion.gemtext.path();
    EXPECT_EQ(recorded(), (Arguments{marktext, "-o", output, input}));
    EXPECT_TRUE(output.starts_with(temporary.string() + "/") && output.ends_with(".gmi")) << output;
    EXPECT_EQ(testing::read_text(output), "# Converted\r\n");
  }
  EXPECT_FALSE(fs::exists(output)) << "the scratch copy outlived the conversion";

  auto slides = powerpoint_to_gemtext(platform, input);
  EXPECT_EQ(recorded(), (Arguments{slidetext, input, "-o", slides.gemtext.path()}));
  auto notes = powerpoint_to_gemtext(platform, input, true);
  EXPECT_EQ(recorded(), (Arguments{slidetext, "-n", input, "-o", notes.gemtext.path()}));
  // The presenter's own rate is named; the converter's usual one is not.
  auto paced = powerpoint_to_gemtext(platform, input, false, 200);
  EXPECT_EQ(recorded(), (Arguments{slidetext, "--wpm", "200", input, "-o", paced.gemtext.path()}));
  EXPECT_NE(notes.gemtext.path(), slides.gemtext.path());
  EXPECT_EQ(fs::status(notes.gemtext.path()).permissions(), fs::perms::owner_read | fs::perms::owner_write);

  auto fallback = temporary_filename({{"TMPDIR", scratch}}, "gmi");
  EXPECT_EQ(fallback.parent_path(), scratch);
  EXPECT_TRUE(temporary_filename({{"TEMP", scratch / "missing"}, {"TMPDIR", scratch}}, "gmi").empty());
}

TEST_F(Converters, ThatFailOrCannotRunGiveNoNameAndLeaveNoFile) {
  setenv("FAKE_EXIT", "3", 1);
  setenv("FAKE_STDERR", "marktext: talk.md is not text\r\nsecond line\n", 1);
  auto failed = markdown_to_gemtext(platform, input);
  EXPECT_EQ(std::tuple(failed.succeeded(), failed.exit_code, failed.error_line),
            std::tuple(false, 3, "marktext: talk.md is not text"));
  EXPECT_TRUE(fs::is_empty(temporary)) << "the partial output was left behind";

  // Far more than a pipe holds: the converter would hang if nobody read it.
  setenv("FAKE_STDERR", (std::string(119, 'a') + "\xC3\xA9\xC3\xA9\n").c_str(), 1);
  setenv("FAKE_STDERR_BYTES", "1000000", 1);
  EXPECT_EQ(powerpoint_to_gemtext(platform, input).error_line,
            std::string(59, 'a') + "..." + std::string(56, 'a') + "\xC3\xA9\xC3\xA9");
  unsetenv("FAKE_EXIT");
  setenv("FAKE_SIGNAL", "9", 1);
  EXPECT_EQ(powerpoint_to_gemtext(platform, input).exit_code, child_killed);
  EXPECT_TRUE(fs::is_empty(temporary));

  fs::remove(program / "arguments");
  EXPECT_FALSE(powerpoint_to_gemtext(platform, "").succeeded());
  EXPECT_FALSE(powerpoint_to_gemtext(Platform{{{"TEMP", scratch / "missing"}}, program}, input).succeeded());
  EXPECT_FALSE(fs::exists(program / "arguments")) << "a converter ran without an input or an output";

  fs::remove(marktext);
  auto missing = markdown_to_gemtext(platform, input);
  EXPECT_EQ(missing.exit_code, child_not_started);
  EXPECT_NE(missing.error_line.find("marktext"), std::string::npos) << missing.error_line;
  EXPECT_TRUE(fs::is_empty(temporary));
}

// The program stops waiting for a converter that does not finish, ends it and
// deletes its scratch file.
TEST_F(Converters, ThatRunOutOfTimeAreEnded) {
  setenv("FAKE_SLEEP_MS", "600000", 1);
  setenv("FAKE_STDERR", "marktext: still working\n", 1);
  const auto late = markdown_to_gemtext(platform, input, std::chrono::milliseconds(200));
  EXPECT_FALSE(late.succeeded());
  EXPECT_EQ(late.exit_code, child_timed_out);
  EXPECT_EQ(late.error_line, "The converter did not finish within 200 ms.");
  EXPECT_TRUE(fs::is_empty(temporary)) << "the scratch file outlived the converter";
  EXPECT_EQ(converter_timeout_message(converter_time_limit), "The converter did not finish within 2 minutes.");

  setenv("FAKE_SLEEP_MS", "100", 1);
  EXPECT_TRUE(markdown_to_gemtext(platform, input, std::chrono::minutes(1)).succeeded());
}

TEST_F(Converters, ReceiveFileNamesUntouched) {
  std::string hostile = scratch / "-it's \"my\" $(touch pwned) `touch pwned` ; talk.md";
  ASSERT_TRUE(markdown_to_gemtext(platform, hostile).succeeded());
  EXPECT_EQ(recorded().at(3), hostile);
  ASSERT_TRUE(powerpoint_to_gemtext(platform, hostile, true).succeeded());
  EXPECT_EQ(recorded().at(2), hostile);
  EXPECT_FALSE(fs::exists("pwned") || fs::exists(scratch / "pwned"));

  // A relative name that looks like an option is still passed as a file name.
  ASSERT_TRUE(powerpoint_to_gemtext(platform, "-n").succeeded());
  EXPECT_EQ(recorded(), (Arguments{slidetext, "./-n", "-o", recorded().at(3)}));
}

// How an import fills in the lengths a heading did not give is shown through the
// import panel (ImportPanelTest); here the rounding to quarter minutes.
TEST(LengthEstimates, RoundToQuarterMinutesWithinTheLongestLength) {
  EXPECT_EQ(estimate_length(0), 15);
  EXPECT_EQ(estimate_length(276), 120) << "8.49 quarter minutes";
  EXPECT_EQ(estimate_length(277), 135) << "8.52 quarter minutes";
  EXPECT_EQ(estimate_length(SIZE_MAX), 99999 * 60);
}

}  // namespace
}  // namespace veltrim
