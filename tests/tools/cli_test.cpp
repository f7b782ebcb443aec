// The converters as Veltrim runs them: the real executables started with an
// argument vector (no shell), their exit codes, standard error, and the rule that
// a failure leaves no output file, partial or temporary. That Veltrim hands file
// names over untouched is shown with a stand-in converter (system/external_test).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "tests/tools/deck_builder.h"

extern char** environ;

namespace {

struct Outcome {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// Runs the program with exactly these arguments in the folder, standard input
// from /dev/null, the output and error captured through files outside it.
Outcome run(const std::string& program, const std::vector<std::string>& args, const std::string& cwd) {
  const deck::TempDir capture;
  const std::string out_path = capture.file("out"), err_path = capture.file("err");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  Outcome result;
  const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return result;
  int status = 0;
  waitpid(pid, &status, 0);
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -2;
  result.out = deck::read_file(out_path);
  result.err = deck::read_file(err_path);
  return result;
}

std::set<std::string> listing(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

void write(const std::string& path, const std::string& data) { std::ofstream(path, std::ios::binary) << data; }

std::vector<deck::Part> small_deck() {
  return deck::deck_parts({
      {"slide2.xml", deck::slide(deck::title("Intro") + deck::shape("obj", deck::para("Point"))),
       deck::notes(deck::para("Spoken words for the intro."))},
      {"slide1.xml", deck::slide(deck::title("End")), ""},
  });
}

struct Tool {
  std::string name;
  std::string exe;
};

class ConverterCli : public ::testing::Test {
 protected:
  void SetUp() override {
    write(dir.file("talk.md"), "# Intro - 2:30\n\nHello *world*.\n");
    deck::write_zip(dir.file("talk.pptx"), small_deck());
  }
  std::string path(const std::string& name) const { return dir.file(name); }
  Outcome in_dir(const Tool& tool, const std::vector<std::string>& args) const {
    return run(tool.exe, args, dir.path());
  }

  deck::TempDir dir;
  const std::vector<Tool> tools = {{"marktext", MARKTEXT_EXE}, {"slidetext", SLIDETEXT_EXE}};
  const std::string talk_gemtext = "# Intro - 2:30\r\n\r\nHello world.\r\n";  // what marktext makes of talk.md
};

TEST_F(ConverterCli, FailuresWriteNothingAndKeepTheOldOutput) {
  write(path("binary.md"), "\x7f" "ELF" + std::string(4000, '\0'));
  write(path("text.pptx"), "this is not a zip\n");
  ASSERT_EQ(::mkdir(path("folder.gmi").c_str(), 0700), 0);
  const std::set<std::string> before = listing(dir.path());
  write(path("old.gmi"), "OLD\r\n");
  struct Case {
    const Tool& tool;
    std::string input, output, message;
  };
  for (const Case& c :
       std::vector<Case>{{tools[0], "binary.md", "old.gmi", "not a text file"},
                         {tools[0], "missing.md", "old.gmi", "cannot read '" + path("missing.md") + "': No such file"},
                         {tools[1], "folder.gmi", "new.gmi", "it is a folder"},
                         {tools[1], "text.pptx", "old.gmi", "not a zip archive"},
                         {tools[1], "talk.pptx", "nowhere/new.gmi", "cannot write"},
                         {tools[0], "talk.md", "folder.gmi", "cannot write"}}) {
    const Outcome r = in_dir(c.tool, {"-o", path(c.output), path(c.input)});
    EXPECT_EQ(r.exit_code, 1) << c.input;
    EXPECT_TRUE(r.err.starts_with(c.tool.name + ": ")) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.input << ": " << r.err;
  }
  EXPECT_EQ(deck::read_file(path("old.gmi")), "OLD\r\n");
  ::unlink(path("old.gmi").c_str());
  EXPECT_EQ(listing(dir.path()), before) << "no output and no temporary file after any failure";
}

TEST_F(ConverterCli, WarningsGoToStandardErrorAndTheConversionSucceeds) {
  std::vector<deck::Part> parts = small_deck();
  deck::remove(parts, "ppt/slides/slide1.xml");
  deck::write_zip(path("gap.pptx"), parts);
  const Outcome r = in_dir(tools[1], {path("gap.pptx")});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_TRUE(r.err.starts_with("slidetext: warning: ")) << r.err;
  EXPECT_EQ(r.out, "# Intro - 0:15\r\n\r\n* Point\r\n");
}

TEST_F(ConverterCli, OutputIsReplacedWholeKeepingItsPermissionsAndLinks) {
  // Veltrim hands over a private scratch file (0600): it stays private.
  write(path("out.gmi"), std::string(100000, 'x'));
  ASSERT_EQ(::chmod(path("out.gmi").c_str(), 0600), 0);
  write(path("target.gmi"), "old\r\n");
  ASSERT_EQ(::symlink("target.gmi", path("link.gmi").c_str()), 0);
  const mode_t mask = ::umask(022);
  for (const char* output : {"out.gmi", "fresh.gmi", "link.gmi"})
    EXPECT_EQ(in_dir(tools[0], {"-o", path(output), path("talk.md")}).exit_code, 0);
  ::umask(mask);
  struct stat st {};
  for (const auto& [output, mode] :
       std::vector<std::pair<std::string, unsigned>>{{"out.gmi", 0600}, {"fresh.gmi", 0644}}) {
    EXPECT_EQ(deck::read_file(path(output)), talk_gemtext);
    ASSERT_EQ(::stat(path(output).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, mode) << output;
  }
  ASSERT_EQ(::lstat(path("link.gmi").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode)) << "the link stays a link";
  EXPECT_EQ(deck::read_file(path("target.gmi")), talk_gemtext);
}

}  // namespace
