#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/prefs.h"

namespace veltrim {
namespace {

namespace fs = std::filesystem;

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string name = (fs::temp_directory_path() / "veltrim-prefs-XXXXXX").string();
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

void write_text(const fs::path& file, std::string_view text) {
  std::ofstream(file, std::ios::binary) << text;
}

std::string read_text(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

int entries_in(const fs::path& folder) {
  return static_cast<int>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

int doubled(int size) { return 2 * size; }

TEST(Preferences, WithoutAFileTheDefaultsAreSavedAsFiveLinesInOrder) {
  ScratchFolder folder;
  auto file = folder.path() / "Veltrim.preferences";

  auto preferences = load_preferences(file, doubled);
  EXPECT_EQ(preferences.time_mode, 1);
  EXPECT_EQ(preferences.advance_seconds, 30);
  EXPECT_EQ(preferences.hold_seconds, 15);
  EXPECT_EQ(preferences.font_face, 2);
  EXPECT_EQ(preferences.font_size, 48);
  EXPECT_EQ(load_preferences(file).font_size, 24);

  auto result = save_preferences(preferences, file);
  ASSERT_TRUE(result.written) << result.reason;
  EXPECT_EQ(read_text(file),
            "Advance Seconds =       30\r\n"
            "Hold Seconds =       15\r\n"
            "Time Mode =        1\r\n"
            "Font Face =        2\r\n"
            "Font Size =       48\r\n");
  EXPECT_EQ(entries_in(folder.path()), 1) << "the scratch file of the save was left behind";
}

TEST(Preferences, ValuesOfAnyWidthAndSignSurviveASave) {
  ScratchFolder folder;
  auto file = folder.path() / "Veltrim.preferences";
  Preferences odd{-5, 12345678, 2000000000, 0, INT32_MIN};

  ASSERT_TRUE(save_preferences(odd, file).written);
  EXPECT_EQ(read_text(file),
            "Advance Seconds = 12345678\r\n"
            "Hold Seconds = 2000000000\r\n"
            "Time Mode =       -5\r\n"
            "Font Face =        0\r\n"
            "Font Size = -2147483648\r\n");
  EXPECT_EQ(load_preferences(file), odd);
}

TEST(Preferences, LoadingFollowsTheFileRules) {
  ScratchFolder folder;
  auto file = folder.path() / "Veltrim.preferences";
  struct Case {
    std::string text;
    Preferences expected;
  };
  const Case cases[] = {
      {"Font Size=30", {1, 30, 15, 2, 30}},
      {"font size = 40\r\nFONT FACE = 5\r\n", {}},
      {"Time Mode = x\r\n", {}},
      {"Hold Seconds =       20\r\n", {1, 30, 20, 2, 24}},
      {"Advance Seconds = -45\n", {1, -45, 15, 2, 24}},
      {"Time Mode = 2\r\nTime Mode = 0\r\n", {0, 30, 15, 2, 24}},
      {"   Font Face   =   6   \r\n", {1, 30, 15, 6, 24}},
      {"Font Size = 30 40\nHold Seconds = 7,8\nAdvance Seconds = 9/\n", {1, 9, 7, 2, 30}},
      {"Font Size = 30x\nHold Seconds =\nAdvance Seconds = 99999999999\n", {}},
      {"Font Size = +12\nHold Seconds = +-3\nTime Mode = 2 = 3\n", {2, 30, 15, 2, 12}},
      {"Font Size 30\n= 12\nFont Size\n", {}},
      {"Font Face = 5\nFont Face = five\n", {1, 30, 15, 5, 24}},
      {"Font Size = " + std::string(3000, ' ') + "70\n", {}},
  };
  for (const auto& [text, expected] : cases) {
    write_text(file, text);
    EXPECT_EQ(load_preferences(file), expected) << "file: " << text;
  }
}

// Lets writes to files grow to at most `bytes`, as a nearly full disk would.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_handler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previous_handler_);
  }

 private:
  rlimit saved_{};
  sighandler_t previous_handler_{};
};

TEST(Preferences, AFailedSaveKeepsTheOldFileAndSaysWhy) {
  ScratchFolder folder;
  auto file = folder.path() / "Veltrim.preferences";
  const std::string old_text = "Hold Seconds = 20\r\n";
  write_text(file, old_text);
  fs::permissions(file, fs::perms(0640));

  {
    FileSizeLimit nearly_full_disk(16);
    auto result = save_preferences(Preferences{}, file);
    EXPECT_FALSE(result.written);
    EXPECT_NE(result.reason.find("Veltrim.preferences"), std::string::npos) << result.reason;
  }
  EXPECT_EQ(read_text(file), old_text);
  EXPECT_EQ(entries_in(folder.path()), 1) << "the half-written scratch file was left behind";

  // A folder that cannot exist: its parent is a file.
  auto result = save_preferences(Preferences{}, file / "Veltrim.preferences");
  EXPECT_FALSE(result.written);
  EXPECT_FALSE(result.reason.empty());
  EXPECT_FALSE(save_preferences(Preferences{}, fs::path()).written);

  // A successful save replaces the file but keeps who may read it.
  ASSERT_TRUE(save_preferences(Preferences{}, file).written);
  EXPECT_EQ(load_preferences(file), Preferences{});
  EXPECT_EQ(fs::status(file).permissions(), fs::perms(0640));
}

TEST(Preferences, ValuesAreBoundedWhereTheyAreUsed) {
  Preferences huge{2000000000, 2000000000, 2000000000, 2000000000, 2000000000};
  EXPECT_EQ(effective_font_size(huge), largest_font_size);
  EXPECT_EQ(effective_font_face(huge), reading_font::serif);
  EXPECT_EQ(effective_time_mode(huge), TimeMode::spread);
  EXPECT_EQ(effective_advance_seconds(huge), largest_nudge_seconds);
  EXPECT_EQ(effective_hold_seconds(huge), largest_nudge_seconds);

  Preferences negative{-1, -5, -5, -5, -5};
  EXPECT_EQ(effective_font_size(negative), smallest_font_size);
  EXPECT_EQ(effective_font_face(negative), reading_font::serif);
  EXPECT_EQ(effective_time_mode(negative), TimeMode::spread);
  EXPECT_EQ(effective_advance_seconds(negative), 0);
  EXPECT_EQ(effective_hold_seconds(negative), 0);

  Preferences chosen{2, 45, 20, reading_font::monospace, 40};
  EXPECT_EQ(effective_font_size(chosen), 40);
  EXPECT_EQ(effective_font_face(chosen), reading_font::monospace);
  EXPECT_EQ(effective_time_mode(chosen), TimeMode::next_segment);
  EXPECT_EQ(effective_time_mode(Preferences{0}), TimeMode::unfixed);
  EXPECT_EQ(effective_advance_seconds(chosen), 45);
  EXPECT_EQ(effective_hold_seconds(chosen), 20);
  EXPECT_EQ(effective_font_face(Preferences{1, 30, 15, 3, 24}), reading_font::serif);
}

}  // namespace
}  // namespace veltrim
