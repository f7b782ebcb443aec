// The built program's command line, run as a user runs it.
#include <gtest/gtest.h>
#include <spawn.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/version.h"
#include "tests/model/scratch.h"

namespace veltrim {
namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

Outcome run_veltrim(std::vector<std::string> args) {
  testing::Scratch_folder folder;
  const std::string out = folder.file("out");
  const std::string err = folder.file("err");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  args.insert(args.begin(), VELTRIM_PROGRAM);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  Outcome run;
  pid_t child = 0;
  if (posix_spawn(&child, VELTRIM_PROGRAM, &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  run.out = testing::read_text(out);
  run.err = testing::read_text(err);
  return run;
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

TEST(CommandLine, AFileThatCannotBeReadIsReportedWithStatusOne) {
  const Outcome missing = run_veltrim({"--outline", "no/such/talk.gmi"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err, "veltrim: cannot read no/such/talk.gmi: No such file or directory\n");

  testing::Scratch_folder scratch;
  const std::string folder_path = scratch.file("talk.gmi");
  std::filesystem::create_directory(folder_path);
  const Outcome folder = run_veltrim({"--outline", folder_path});
  EXPECT_EQ(folder.status, 1);
  EXPECT_EQ(folder.err, "veltrim: cannot read " + folder_path + ": Is a directory\n");

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

TEST(CommandLine, HelpAndVersion) {
  const Outcome help = run_veltrim({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--outline FILE"), std::string::npos);
  const Outcome version = run_veltrim({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("veltrim ") + veltrim::version() + "\n");
}

TEST(CommandLine, MistakesAreUsageErrors) {
  const Outcome no_file = run_veltrim({"--outline"});
  EXPECT_EQ(no_file.status, 2);
  EXPECT_NE(no_file.err.find("--outline takes one FILE"), std::string::npos);
  const Outcome unknown = run_veltrim({"--outlines", example});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("unknown option --outlines"), std::string::npos);
}

}  // namespace
}  // namespace veltrim
