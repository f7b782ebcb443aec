#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "app/external.h"
#include "korvid/testing.h"

namespace veltrim {
namespace {

namespace fs = std::filesystem;

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string name = (fs::temp_directory_path() / "veltrim-external-XXXXXX").string();
    path_ = mkdtemp(name.data());
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// Sets an environment variable for the fake converter for one scope.
class FakeSetting {
 public:
  FakeSetting(const char* name, const std::string& value) : name_(name) { setenv(name, value.c_str(), 1); }
  ~FakeSetting() { unsetenv(name_); }

 private:
  const char* name_;
};

std::string read_text(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool is_empty_folder(const fs::path& folder) { return fs::directory_iterator(folder) == fs::directory_iterator(); }

// A program folder holding the fake converter under both converters' names, and
// a temporary folder of its own, so each test sees exactly the files it makes.
class Converters : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(program());
    fs::create_directory(temporary());
    fs::copy_file(FAKE_CONVERTER, program() / "marktext");
    fs::copy_file(FAKE_CONVERTER, program() / "slidetext");
    std::ofstream(input()) << "# Talk\n";
  }

  fs::path program() const { return scratch_.path() / "program"; }
  fs::path temporary() const { return scratch_.path() / "temporary"; }
  fs::path input() const { return scratch_.path() / "talk.md"; }
  Platform platform() const { return Platform{{{"TEMP", temporary().string()}}, program()}; }

  // The arguments the fake converter was last called with.
  std::vector<std::string> recorded_arguments() const {
    std::vector<std::string> arguments;
    std::istringstream text(read_text(program() / "arguments"));
    for (std::string argument; std::getline(text, argument, '\0');) arguments.push_back(argument);
    return arguments;
  }

  ScratchFolder scratch_;
};

TEST_F(Converters, TheArgumentOrdersAreKeptAndTheOutputBelongsToTheCaller) {
  fs::path output;
  {
    auto conversion = markdown_to_gemtext(platform(), input());
    ASSERT_TRUE(conversion.succeeded()) << conversion.error_line;
    output = conversion.gemtext.path();
    EXPECT_EQ(output.parent_path(), temporary());
    EXPECT_EQ(output.extension(), ".gmi");
    EXPECT_EQ(recorded_arguments(),
              (std::vector<std::string>{(program() / "marktext").string(), "-o", output.string(), input().string()}));
    EXPECT_EQ(read_text(output), "# Converted\r\n");
  }
  EXPECT_FALSE(fs::exists(output)) << "the caller's scratch copy outlived the conversion";

  auto slides = powerpoint_to_gemtext(platform(), input());
  ASSERT_TRUE(slides.succeeded());
  EXPECT_EQ(recorded_arguments(), (std::vector<std::string>{(program() / "slidetext").string(), input().string(),
                                                            "-o", slides.gemtext.path().string()}));
  auto notes = powerpoint_to_gemtext(platform(), input(), true);
  ASSERT_TRUE(notes.succeeded());
  EXPECT_EQ(recorded_arguments(), (std::vector<std::string>{(program() / "slidetext").string(), "-n",
                                                            input().string(), "-o", notes.gemtext.path().string()}));
  EXPECT_NE(notes.gemtext.path(), slides.gemtext.path());
}

TEST_F(Converters, AMissingConverterOrInputGivesNoNameAndLeavesNoFile) {
  fs::remove(program() / "marktext");
  auto conversion = markdown_to_gemtext(platform(), input());
  EXPECT_FALSE(conversion.succeeded());
  EXPECT_EQ(conversion.exit_code, child_not_started);
  EXPECT_NE(conversion.error_line.find("marktext"), std::string::npos) << conversion.error_line;
  EXPECT_TRUE(is_empty_folder(temporary()));

  auto nothing = powerpoint_to_gemtext(platform(), fs::path());
  EXPECT_FALSE(nothing.succeeded());
  EXPECT_FALSE(fs::exists(program() / "arguments")) << "a converter ran without an input";
  EXPECT_TRUE(is_empty_folder(temporary()));

  auto no_temporary_folder = Platform{{{"TEMP", (scratch_.path() / "missing").string()}}, program()};
  EXPECT_FALSE(powerpoint_to_gemtext(no_temporary_folder, input()).succeeded());
  EXPECT_FALSE(fs::exists(program() / "arguments"));
}

TEST_F(Converters, AFailingConverterSaysWhyAndLeavesNoFile) {
  FakeSetting exit_code("FAKE_EXIT", "3");
  FakeSetting complaint("FAKE_STDERR", "marktext: talk.md is not text\r\nsecond line\n");
  auto conversion = markdown_to_gemtext(platform(), input());
  EXPECT_FALSE(conversion.succeeded());
  EXPECT_EQ(conversion.exit_code, 3);
  EXPECT_EQ(conversion.error_line, "marktext: talk.md is not text");
  EXPECT_TRUE(is_empty_folder(temporary())) << "the partial output was left behind";
}

TEST_F(Converters, ALongComplaintIsCutToOneShortLineWithoutBlockingTheConverter) {
  // Far more than a pipe holds: the converter would hang if nobody read it.
  FakeSetting exit_code("FAKE_EXIT", "1");
  FakeSetting complaint("FAKE_STDERR", std::string(200, 'a') + "\xC3\xA9");
  FakeSetting flood("FAKE_STDERR_BYTES", "1000000");
  auto conversion = powerpoint_to_gemtext(platform(), input());
  EXPECT_EQ(conversion.exit_code, 1);
  EXPECT_EQ(conversion.error_line, std::string(longest_error_line, 'a'));

  FakeSetting accented("FAKE_STDERR", std::string(119, 'a') + "\xC3\xA9\xC3\xA9\n");
  EXPECT_EQ(powerpoint_to_gemtext(platform(), input()).error_line, std::string(119, 'a') + "\xC3\xA9")
      << "a character was split or the line is too long";
}

TEST_F(Converters, AConverterKilledByASignalFails) {
  FakeSetting killed("FAKE_SIGNAL", "9");
  auto conversion = markdown_to_gemtext(platform(), input());
  EXPECT_FALSE(conversion.succeeded());
  EXPECT_EQ(conversion.exit_code, child_killed);
  EXPECT_FALSE(conversion.error_line.empty());
  EXPECT_TRUE(is_empty_folder(temporary()));
}

TEST_F(Converters, FileNamesReachTheConverterUntouched) {
  auto hostile = scratch_.path() / "-it's \"my\" $(touch pwned) `touch pwned` ; talk.md";
  std::ofstream(hostile) << "# Talk\n";
  ASSERT_TRUE(markdown_to_gemtext(platform(), hostile).succeeded());
  EXPECT_EQ(recorded_arguments().at(3), hostile.string());
  ASSERT_TRUE(powerpoint_to_gemtext(platform(), hostile, true).succeeded());
  EXPECT_EQ(recorded_arguments().at(2), hostile.string());
  EXPECT_FALSE(fs::exists("pwned"));
  EXPECT_FALSE(fs::exists(scratch_.path() / "pwned"));

  // A relative name that looks like an option is still read as a file name.
  ASSERT_TRUE(powerpoint_to_gemtext(platform(), "-n").succeeded());
  EXPECT_EQ(recorded_arguments().at(1), "./-n");
}

TEST(TemporaryFiles, AreCreatedUniqueAndPrivateInTheChosenFolder) {
  ScratchFolder temp;
  ScratchFolder tmpdir;
  std::set<fs::path> names;
  for (int i = 0; i < 20; ++i) {
    auto name = temporary_filename({{"TEMP", temp.path().string()}, {"TMPDIR", tmpdir.path().string()}}, "gmi");
    ASSERT_TRUE(fs::is_regular_file(name));
    EXPECT_EQ(name.parent_path(), temp.path());
    EXPECT_EQ(name.extension(), ".gmi");
    EXPECT_EQ(fs::status(name).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    names.insert(name);
  }
  EXPECT_EQ(names.size(), 20u);
  EXPECT_EQ(temporary_filename({{"TMPDIR", tmpdir.path().string()}}, "gmi").parent_path(), tmpdir.path());
  auto fallback = temporary_filename({}, "gmi");
  EXPECT_EQ(fallback.parent_path(), fs::path("/tmp"));
  fs::remove(fallback);
  EXPECT_TRUE(temporary_filename({{"TEMP", (temp.path() / "missing").string()}}, "gmi").empty());
}

TEST(Desktop, WebPagesAreHandedToTheDesktopAsTheyAre) {
  std::vector<std::string> opened;
  korvid::testing::set_url_opener([&](std::string_view url) {
    opened.emplace_back(url);
    return url.starts_with("file:");
  });
  EXPECT_TRUE(open_url("file:///opt/veltrim/help/index.html"));
  EXPECT_FALSE(open_url("https://example.com/a b"));
  korvid::testing::set_url_opener({});
  EXPECT_EQ(opened, (std::vector<std::string>{"file:///opt/veltrim/help/index.html", "https://example.com/a b"}));
}

}  // namespace
}  // namespace veltrim
