// The converters as Veltrim runs them: the real executables started with an
// argument vector (no shell), their exit codes, standard error, and the rule that
// a failure leaves no output file, partial or temporary.
#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/tools/deck_builder.h"
#include "tests/tools/gemtext_check.h"

extern char** environ;

namespace {

struct Outcome {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// Runs the program with exactly these arguments, standard input from /dev/null,
// the output and error captured through files.
Outcome run(const std::string& program, const std::vector<std::string>& args, const deck::TempDir& dir) {
  const std::string out_path = dir.file(".stdout"), err_path = dir.file(".stderr");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
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
  ::unlink(out_path.c_str());
  ::unlink(err_path.c_str());
  return result;
}

bool exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

// Every name in the folder (the captured .stdout and .stderr are gone by now).
std::vector<std::string> listing(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* d = ::opendir(folder.c_str())) {
    while (dirent* e = ::readdir(d)) {
      const std::string n = e->d_name;
      if (n != "." && n != "..") names.push_back(n);
    }
    ::closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

void write(const std::string& path, const std::string& data) {
  std::ofstream(path, std::ios::binary) << data;
}

const std::string marktext = MARKTEXT_EXE;
const std::string slidetext = SLIDETEXT_EXE;

// ---------------------------------------------------------------- both

TEST(ConverterCli, HelpAndVersion) {
  deck::TempDir dir;
  for (const std::string& tool : {marktext, slidetext}) {
    Outcome help = run(tool, {"--help"}, dir);
    EXPECT_EQ(help.exit_code, 0);
    EXPECT_EQ(help.out.rfind("Usage: ", 0), 0u) << help.out;
    EXPECT_TRUE(help.err.empty());
    EXPECT_EQ(run(tool, {"-h"}, dir).exit_code, 0);
    Outcome version = run(tool, {"--version"}, dir);
    EXPECT_EQ(version.exit_code, 0);
    EXPECT_NE(version.out.find("(Veltrim) "), std::string::npos) << version.out;
  }
}

TEST(ConverterCli, BadUsageExitsTwo) {
  deck::TempDir dir;
  write(dir.file("a.md"), "x\n");
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"--frobnicate", dir.file("a.md")},
      {"-o"},
      {"-o", dir.file("out.gmi")},
      {"-o", dir.file("x.gmi"), "-o", dir.file("y.gmi"), dir.file("a.md")},
      {dir.file("a.md"), dir.file("a.md")},
      {"-o", "", dir.file("a.md")},
  };
  for (const std::string& tool : {marktext, slidetext}) {
    const std::string name = tool == marktext ? "marktext: " : "slidetext: ";
    for (const auto& args : bad) {
      Outcome r = run(tool, args, dir);
      EXPECT_EQ(r.exit_code, 2) << tool << " " << args.size();
      EXPECT_EQ(r.err.rfind(name, 0), 0u) << r.err;
      EXPECT_TRUE(r.out.empty());
    }
  }
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--wpm", "0", dir.file("a.md")}, {"--wpm=fast", dir.file("a.md")},
        {"--wpm"}, {"--wpm", "10001", dir.file("a.md")}}) {
    Outcome r = run(slidetext, args, dir);
    EXPECT_EQ(r.exit_code, 2) << args[0];
    EXPECT_EQ(r.err.rfind("slidetext: ", 0), 0u);
  }
  EXPECT_EQ(listing(dir.path()), std::vector<std::string>{"a.md"});
}

// ---------------------------------------------------------------- marktext

TEST(MarktextCli, ConvertsInVeltrimsArgumentOrder) {
  deck::TempDir dir;
  write(dir.file("talk.md"), "# Intro - 2:30\n\nHello *world*.\n");
  Outcome r = run(marktext, {"-o", dir.file("out.gmi"), dir.file("talk.md")}, dir);
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_TRUE(r.err.empty());
  EXPECT_TRUE(r.out.empty());
  EXPECT_EQ(deck::read_file(dir.file("out.gmi")), "# Intro - 2:30\r\n\r\nHello world.\r\n");
  EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{"out.gmi", "talk.md"})) << "no temporary left";

  // The other order, --output=, and standard output.
  EXPECT_EQ(run(marktext, {dir.file("talk.md"), "--output=" + dir.file("b.gmi")}, dir).exit_code, 0);
  EXPECT_EQ(deck::read_file(dir.file("b.gmi")), deck::read_file(dir.file("out.gmi")));
  Outcome to_stdout = run(marktext, {dir.file("talk.md")}, dir);
  EXPECT_EQ(to_stdout.exit_code, 0);
  EXPECT_EQ(to_stdout.out, deck::read_file(dir.file("out.gmi")));
}

TEST(MarktextCli, ReadmeFixtureThroughTheExecutable) {
  deck::TempDir dir;
  Outcome r = run(marktext, {"-o", dir.file("readme.gmi"), std::string(TOOLS_FIXTURES) + "/readme.md"}, dir);
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(deck::read_file(dir.file("readme.gmi")), deck::read_file(std::string(TOOLS_FIXTURES) + "/readme.gmi"));
}

TEST(MarktextCli, FailuresWriteNothing) {
  deck::TempDir dir;
  std::string binary("\x7f" "ELF\x02\x01\x01", 7);
  binary += std::string(4000, '\0');
  write(dir.file("binary.md"), binary);
  write(dir.file("old.gmi"), "OLD CONTENT\r\n");

  // Not text: exit 1, a message, no output file, and an existing output intact.
  Outcome r = run(marktext, {"-o", dir.file("new.gmi"), dir.file("binary.md")}, dir);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err.rfind("marktext: ", 0), 0u);
  EXPECT_NE(r.err.find("not a text file"), std::string::npos) << r.err;
  EXPECT_FALSE(exists(dir.file("new.gmi")));
  r = run(marktext, {"-o", dir.file("old.gmi"), dir.file("binary.md")}, dir);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(deck::read_file(dir.file("old.gmi")), "OLD CONTENT\r\n");

  // Missing input, a folder as input, an output in a missing folder or onto a folder.
  r = run(marktext, {"-o", dir.file("new.gmi"), dir.file("missing.md")}, dir);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_NE(r.err.find("No such file"), std::string::npos) << r.err;
  EXPECT_EQ(run(marktext, {"-o", dir.file("new.gmi"), dir.path()}, dir).exit_code, 1);
  write(dir.file("ok.md"), "fine\n");
  r = run(marktext, {"-o", dir.file("nowhere/new.gmi"), dir.file("ok.md")}, dir);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err.rfind("marktext: cannot write", 0), 0u) << r.err;
  ASSERT_EQ(::mkdir(dir.file("folder.gmi").c_str(), 0700), 0);
  EXPECT_EQ(run(marktext, {"-o", dir.file("folder.gmi"), dir.file("ok.md")}, dir).exit_code, 1);

  EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{"binary.md", "folder.gmi", "ok.md", "old.gmi"}))
      << "no output and no temporary file after any failure";
}

TEST(MarktextCli, OutputIsReplacedWholeKeepingItsPermissions) {
  deck::TempDir dir;
  write(dir.file("talk.md"), "new\n");
  // Veltrim hands over a private scratch file (0600): it stays private.
  write(dir.file("out.gmi"), std::string(100000, 'x'));
  ASSERT_EQ(::chmod(dir.file("out.gmi").c_str(), 0600), 0);
  ASSERT_EQ(run(marktext, {"-o", dir.file("out.gmi"), dir.file("talk.md")}, dir).exit_code, 0);
  EXPECT_EQ(deck::read_file(dir.file("out.gmi")), "new\r\n");
  struct stat st {};
  ASSERT_EQ(::stat(dir.file("out.gmi").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  // A new file gets the usual permissions, not the temporary file's 0600.
  const mode_t mask = ::umask(022);
  ASSERT_EQ(run(marktext, {"-o", dir.file("fresh.gmi"), dir.file("talk.md")}, dir).exit_code, 0);
  ::umask(mask);
  ASSERT_EQ(::stat(dir.file("fresh.gmi").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST(MarktextCli, SymbolicLinkOutputIsWrittenThrough) {
  deck::TempDir dir;
  write(dir.file("talk.md"), "through\n");
  write(dir.file("target.gmi"), "old\r\n");
  ASSERT_EQ(::symlink("target.gmi", dir.file("link.gmi").c_str()), 0);
  ASSERT_EQ(run(marktext, {"-o", dir.file("link.gmi"), dir.file("talk.md")}, dir).exit_code, 0);
  struct stat st {};
  ASSERT_EQ(::lstat(dir.file("link.gmi").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode)) << "the link stays a link";
  EXPECT_EQ(deck::read_file(dir.file("target.gmi")), "through\r\n");
}

// Veltrim passes file names untouched as single arguments, so a name with
// blanks, quotes, $(...) or a leading "-" must work as it stands.
TEST(MarktextCli, AwkwardFileNames) {
  deck::TempDir dir;
  const std::string awkward = "-my talk 'q' \"dq\" $(touch pwned) `x`.md";
  write(dir.file(awkward), "awkward\n");
  const std::string out = "-out put $(x).gmi";
  // Relative names with a leading "-", as a file picked in the current folder.
  const std::string cwd_before = [] {
    char buf[4096];
    return std::string(::getcwd(buf, sizeof buf));
  }();
  ASSERT_EQ(::chdir(dir.path().c_str()), 0);
  Outcome r = run(marktext, {"-o", out, awkward}, dir);
  Outcome r2 = run(marktext, {"-o", "second.gmi", "--", awkward}, dir);
  ASSERT_EQ(::chdir(cwd_before.c_str()), 0);
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(deck::read_file(dir.file(out)), "awkward\r\n");
  EXPECT_EQ(r2.exit_code, 0) << r2.err;
  EXPECT_FALSE(exists(dir.file("pwned")));
}

TEST(MarktextCli, HostileInputsUnderTheExecutable) {
  deck::TempDir dir;
  // 20 MB of Markdown through the executable (the library test takes 50 MB).
  {
    std::string big;
    big.reserve((std::size_t{20} << 20) + 1024);
    for (int n = 0; big.size() < (std::size_t{20} << 20); ++n)
      big += "## Part " + std::to_string(n) + "\n\nText with a [link](https://x/" + std::to_string(n) +
             ") and `code` &amp; more.\n\n- a\n- b\n\n";
    write(dir.file("big.md"), big);
  }
  Outcome r = run(marktext, {"-o", dir.file("big.gmi"), dir.file("big.md")}, dir);
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_GT(deck::read_file(dir.file("big.gmi")).size(), std::size_t{15} << 20);

  // Invalid UTF-8 and stray NULs: sound output.
  std::string odd = "caf\xE9 \xFF ok and a longer paragraph around a stray NUL ";
  odd += '\0';
  odd += " so that the file still reads as text, which it is.\n";
  write(dir.file("odd.md"), odd);
  r = run(marktext, {"-o", dir.file("odd.gmi"), dir.file("odd.md")}, dir);
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_TRUE(gemtext_check::well_formed(deck::read_file(dir.file("odd.gmi"))));

  // A zip handed to marktext is not text.
  write(dir.file("deck.md"), deck::zip_bytes(deck::deck_parts({{"slide1.xml", deck::slide(deck::title("T")), ""}})));
  r = run(marktext, {"-o", dir.file("deck.gmi"), dir.file("deck.md")}, dir);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_FALSE(exists(dir.file("deck.gmi")));
}

// ---------------------------------------------------------------- slidetext

std::vector<deck::Part> small_deck() {
  return deck::deck_parts({
      {"slide2.xml", deck::slide(deck::title("Intro") + deck::shape("obj", deck::para("Point"))),
       deck::notes(deck::para("Spoken words for the intro."))},
      {"slide1.xml", deck::slide(deck::title("End")), ""},
  });
}

TEST(SlidetextCli, ConvertsInVeltrimsArgumentOrder) {
  deck::TempDir dir;
  deck::write_zip(dir.file("talk.pptx"), small_deck());
  Outcome r = run(slidetext, {dir.file("talk.pptx"), "-o", dir.file("out.gmi")}, dir);
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_TRUE(r.err.empty());
  EXPECT_EQ(deck::read_file(dir.file("out.gmi")), "# Intro - 0:15\r\n\r\n* Point\r\n\r\n# End - 0:15\r\n");

  r = run(slidetext, {"-n", dir.file("talk.pptx"), "-o", dir.file("notes.gmi")}, dir);
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(deck::read_file(dir.file("notes.gmi")),
            "# Intro - 0:15\r\n\r\nSpoken words for the intro.\r\n\r\n# End - 0:15\r\n");

  r = run(slidetext, {"--wpm", "4", "-o", dir.file("slow.gmi"), dir.file("talk.pptx")}, dir);
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(deck::read_file(dir.file("slow.gmi")).substr(0, 16), "# Intro - 1:15\r\n");  // 5 words of notes at 4 wpm
  EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{"notes.gmi", "out.gmi", "slow.gmi", "talk.pptx"}));
}

TEST(SlidetextCli, RealDeck) {
  deck::TempDir dir;
  Outcome r = run(slidetext, {"-n", std::string(TOOLS_FIXTURES) + "/real-deck.pptx", "-o", dir.file("out.gmi")}, dir);
  EXPECT_EQ(r.exit_code, 0) << r.err;
  const std::string text = deck::read_file(dir.file("out.gmi"));
  EXPECT_TRUE(gemtext_check::well_formed(text));
  EXPECT_EQ(gemtext_check::segments(text).size(), 5u);
}

TEST(SlidetextCli, FailuresWriteNothing) {
  deck::TempDir dir;
  write(dir.file("old.gmi"), "OLD\r\n");
  write(dir.file("text.pptx"), "this is not a zip\n");
  std::vector<deck::Part> broken = small_deck();
  deck::find(broken, "ppt/slides/slide1.xml")->data += "<unclosed>";
  deck::write_zip(dir.file("broken.pptx"), broken);
  std::vector<deck::Part> norels = small_deck();
  deck::remove(norels, "ppt/_rels/presentation.xml.rels");
  deck::write_zip(dir.file("norels.pptx"), norels);
  std::vector<deck::Part> bomb = small_deck();
  deck::find(bomb, "ppt/slides/slide1.xml")->data.insert(100, std::string(std::size_t{65} << 20, ' '));
  deck::write_zip(dir.file("bomb.pptx"), bomb);
  bomb.clear();

  const std::vector<std::pair<std::string, std::string>> cases = {
      {"text.pptx", "not a zip archive"},
      {"broken.pptx", "malformed XML"},
      {"norels.pptx", "missing relationships"},
      {"bomb.pptx", "larger than 64 MB"},
      {"missing.pptx", "No such file"},
  };
  for (const auto& [input, message] : cases) {
    for (const std::string& out : {std::string("new.gmi"), std::string("old.gmi")}) {
      Outcome r = run(slidetext, {"-n", dir.file(input), "-o", dir.file(out)}, dir);
      EXPECT_EQ(r.exit_code, 1) << input;
      EXPECT_EQ(r.err.rfind("slidetext: ", 0), 0u) << r.err;
      EXPECT_NE(r.err.find(message), std::string::npos) << input << ": " << r.err;
      EXPECT_TRUE(r.out.empty());
    }
  }
  EXPECT_FALSE(exists(dir.file("new.gmi")));
  EXPECT_EQ(deck::read_file(dir.file("old.gmi")), "OLD\r\n");
  EXPECT_EQ(listing(dir.path()),
            (std::vector<std::string>{"bomb.pptx", "broken.pptx", "norels.pptx", "old.gmi", "text.pptx"}));
}

TEST(SlidetextCli, WarningsGoToStandardErrorAndStillSucceed) {
  deck::TempDir dir;
  std::vector<deck::Part> parts = small_deck();
  deck::remove(parts, "ppt/slides/slide1.xml");
  deck::write_zip(dir.file("gap.pptx"), parts);
  Outcome r = run(slidetext, {dir.file("gap.pptx"), "-o", dir.file("out.gmi")}, dir);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_NE(r.err.find("slidetext: warning: "), std::string::npos) << r.err;
  EXPECT_EQ(deck::read_file(dir.file("out.gmi")), "# Intro - 0:15\r\n\r\n* Point\r\n");
}

TEST(SlidetextCli, AwkwardFileNames) {
  deck::TempDir dir;
  const std::string awkward = "-n deck 'q' \"dq\" $(touch pwned).pptx";
  deck::write_zip(dir.file(awkward), small_deck());
  const std::string cwd_before = [] {
    char buf[4096];
    return std::string(::getcwd(buf, sizeof buf));
  }();
  ASSERT_EQ(::chdir(dir.path().c_str()), 0);
  Outcome r = run(slidetext, {"-n", awkward, "-o", "-out $(y).gmi"}, dir);
  ASSERT_EQ(::chdir(cwd_before.c_str()), 0);
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(deck::read_file(dir.file("-out $(y).gmi")).substr(0, 16), "# Intro - 0:15\r\n");
  EXPECT_FALSE(exists(dir.file("pwned")));
}

}  // namespace
