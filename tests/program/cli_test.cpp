// The built program's command line, run as a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "app/rehearsal/rehearsal_store.h"
#include "app/system/version.h"
#include "tests/script/scratch.h"
#include "tests/tools/deck_builder.h"

namespace veltrim {
namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

std::string quoted(const std::string& word) { return "'" + word + "'"; }

// `environment` goes before the program, as `env` takes it ("-u NAME", "NAME=value").
Outcome run_veltrim(const std::vector<std::string>& args, const std::string& environment = "") {
  testing::Scratch_folder folder;
  std::string command = (environment.empty() ? "" : "env " + environment + " ") + quoted(VELTRIM_PROGRAM);
  for (const std::string& arg : args) command += " " + quoted(arg);
  const int status = std::system((command + " >" + folder.file("out") + " 2>" + folder.file("err")).c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, testing::read_text(folder.file("out")),
          testing::read_text(folder.file("err"))};
}

const std::string example = std::string(VELTRIM_SOURCE_DIR) + "/examples/welcome.gmi";

TEST(CommandLine, OutlinePrintsEverySegmentOfTheExampleAndTheTotal) {
  const Outcome run = run_veltrim({"--outline", example});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "1\t1:00\tWelcome to Veltrim\n"
            "2\t1:30\tA segment and its length\n"
            "3\t1:15\tText that looks after itself\n"
            "4\t0:45\tShowing code\n"
            "5\t2:00\tKeeping time\n"
            "6\t5:00\tQuestions\n"
            "total\t11:30\n");
  EXPECT_EQ(run.err, "");
}

TEST(CommandLine, OutlinesOfImportsEstimateAtTheStoredWordsPerMinute) {
  testing::Scratch_folder folder;
  std::string words;
  for (int i = 0; i < 260; ++i) words += "word ";
  testing::write_text(folder.file("talk.md"), "# Talk\n\n" + words + "\n");
  deck::write_zip(folder.file("deck.pptx"),
                  deck::deck_parts({{"slide1.xml", deck::slide(deck::title("Talk")), deck::notes(deck::para(words))}}));
  std::filesystem::create_directories(folder.path / "Veltrim");
  for (const auto& [rate, length] : {std::pair{100, "2:30"}, {200, "1:15"}}) {
    testing::write_text(folder.file("Veltrim/Veltrim.preferences"), "Words Per Minute = " + std::to_string(rate) + "\r\n");
    const std::string settings = "-u APPDATA XDG_CONFIG_HOME=" + folder.path.string();
    for (const char* file : {"talk.md", "deck.pptx"}) {
      const Outcome run = run_veltrim({"--outline", folder.file(file)}, settings);
      EXPECT_EQ(run.out, std::string("1\t") + length + "\tTalk\ntotal\t" + length + "\n") << file << " at " << rate;
    }
  }
}

TEST(CommandLine, AStaleDisplayIsReportedInOneLineWithStatusOne) {
  // What ssh or tmux leave behind: a display that is set but nobody answers at.
  const Outcome run = run_veltrim({example}, "-u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY=:987");
  EXPECT_EQ(run.status, 1);  // exited, not killed by abort()
  EXPECT_EQ(run.err, "veltrim: cannot open a window: no display at :987\n");
}

TEST(CommandLine, AFileThatCannotBeOpenedIsReportedWithStatusOne) {
  testing::Scratch_folder scratch;
  const std::string folder = scratch.file("talk.gmi");
  std::filesystem::create_directory(folder);
  const std::string picture = scratch.file("picture.gmi");  // NUL bytes: not text
  testing::write_text(picture, "# Title - 1:00\n" + std::string("\x89PNG\0\0\0\rIHDR", 12));
  using Case = std::pair<std::string, std::string>;  // file, reason
  for (const auto& [file, reason] : {Case{"no/such/talk.gmi", "No such file or directory"},
                                     {folder, "Is a directory"}, {picture, "not a text file"}}) {
    const Outcome run = run_veltrim({"--outline", file});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "veltrim: cannot read " + file + ": " + reason + "\n");
  }
  // Only scripts and the two convertible kinds are opened at all.
  const Outcome other = run_veltrim({"--outline", VELTRIM_SOURCE_DIR "/README.md.txt"});
  EXPECT_EQ(other.status, 1);
  EXPECT_NE(other.err.find("not a Veltrim script (.gmi)"), std::string::npos);
}

TEST(CommandLine, OutlineShowsUntitledSegmentsAndNegativeLengthsAsWritten) {
  testing::Scratch_folder folder;
  testing::write_text(folder.file("plain.gmi"), "no heading at all\n");
  EXPECT_EQ(run_veltrim({"--outline", folder.file("plain.gmi")}).out, "1\t1:00\t\ntotal\t1:00\n");
  testing::write_text(folder.file("behind.gmi"), "# Late - -0:30\n# Soon - soon\n");
  EXPECT_EQ(run_veltrim({"--outline", folder.file("behind.gmi")}).out,
            "1\t-0:30\tLate\n2\t0:00\tSoon - soon\ntotal\t-0:30\n");
}

TEST(CommandLine, ReportSumsUpEveryKeptRunOfTheScript) {
  testing::Scratch_folder folder;
  const std::string talk = folder.file("talk.gmi");
  testing::write_text(talk, "# Intro - 1:00\n# Demo, \"live\" - 2:30\n# Questions - 0:45\n");
  const std::string data = "XDG_DATA_HOME=" + folder.path.string();
  const Outcome none = run_veltrim({"--report", talk}, data);
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.err, "veltrim: no rehearsals recorded for " + talk + "\n");

  const auto runs = rehearsal_folder(folder.path / "Veltrim" / "rehearsals", talk);
  std::filesystem::create_directories(runs);
  const std::string header =
      "index,title,planned_seconds,actual_seconds,added_seconds,taken_seconds,paused_seconds,words,words_per_minute\n";
  const std::string intro = "1,Intro,60,", demo = "2,\"Demo, \"\"live\"\"\",150,", questions = "3,Questions,45,";
  // The oldest run comes from before Questions was written.
  testing::write_text((runs / "2024-05-01T09-00-00.csv").string(),
                      header + intro + "50,0,0,0,9,11\n" + demo + "160,0,0,0,9,3\ntotal,,210,210,0,0,0,18,5\n");
  testing::write_text((runs / "2024-05-02T09-00-00.csv").string(),
                      header + intro + "70,0,0,0,9,8\n" + demo + "140,0,0,0,9,4\n" + questions +
                          "40,0,0,0,9,14\ntotal,,255,250,0,0,0,27,6\n");
  testing::write_text((runs / "2024-05-03T09-00-00.csv").string(),
                      header + intro + "62,0,0,0,9,9\n" + demo + "155,0,0,0,9,3\n" + questions +
                          "47,0,0,0,9,11\ntotal,,255,264,0,0,0,27,6\n");
  testing::write_text((runs / "2024-05-04T09-00-00.csv").string(), "a spreadsheet's own notes\n");  // passed over
  const Outcome report = run_veltrim({"--report", talk}, data);
  EXPECT_EQ(report.status, 0);
  EXPECT_EQ(report.out,
            "1\t1:00\t1:02\t1:02\t3\tIntro\n"
            "2\t2:30\t2:35\t2:35\t3\tDemo, \"live\"\n"
            "3\t0:45\t0:47\t0:44\t2\tQuestions\n"
            "total\t4:15\t4:24\t4:10\t3\n");
  EXPECT_EQ(report.err, "");
}

TEST(CommandLine, HelpVersionAndUsageErrors) {
  EXPECT_EQ(run_veltrim({"--version"}).out, std::string("veltrim ") + veltrim::version() + "\n");
  // Arguments, the status, and what the output (status 0) or error (2) holds.
  for (const auto& [args, status, holds] :
       {std::tuple{std::vector<std::string>{"--help"}, 0, "--outline FILE"},
        {std::vector<std::string>{"--outline"}, 2, "--outline takes one FILE"},
        {std::vector<std::string>{"--outlines", example}, 2, "unknown option --outlines"}}) {
    const Outcome run = run_veltrim(args);
    EXPECT_EQ(run.status, status) << args[0];
    EXPECT_NE((status == 0 ? run.out : run.err).find(holds), std::string::npos) << args[0];
  }
}

}  // namespace
}  // namespace veltrim
