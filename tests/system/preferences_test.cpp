#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <climits>

#include "app/system/prefs.h"
#include "tests/script/scratch.h"

namespace veltrim {
namespace {

namespace fs = std::filesystem;

// A scratch folder and the preferences file in it.
struct ScratchFolder : testing::Scratch_folder {
  fs::path file = path / "Veltrim.preferences";
};

using testing::read_text;
using testing::write_text;

int entries_in(const fs::path& folder) {
  return static_cast<int>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(Preferences, AreSavedAsTheFiveLinesThenTheAddedOnesAndReadBack) {
  ScratchFolder folder;
  auto preferences = load_preferences(folder.file, [](int size) { return 2 * size; });
  EXPECT_EQ(preferences, (Preferences{1, 30, 15, 2, 48}));

  ASSERT_TRUE(save_preferences(preferences, folder.file).written);
  EXPECT_EQ(read_text(folder.file),
            "Advance Seconds =       30\r\nHold Seconds =       15\r\nTime Mode =        1\r\n"
            "Font Face =        2\r\nFont Size =       48\r\nWords Per Minute =      130\r\n"
            "Start Full Screen =        0\r\nDark Reading View =        0\r\nMirrored Reading View =        0\r\n");
  EXPECT_EQ(entries_in(folder.path), 1) << "the scratch file of the save was left behind";

  Preferences odd{-5, 12345678, 2000000000, 0, INT32_MIN, 7};
  ASSERT_TRUE(save_preferences(odd, folder.file).written);
  EXPECT_EQ(read_text(folder.file),
            "Advance Seconds = 12345678\r\nHold Seconds = 2000000000\r\nTime Mode =       -5\r\n"
            "Font Face =        0\r\nFont Size = -2147483648\r\nWords Per Minute =        7\r\n"
            "Start Full Screen =        0\r\nDark Reading View =        0\r\nMirrored Reading View =        0\r\n");
  EXPECT_EQ(load_preferences(folder.file), odd);
  EXPECT_EQ(effective_words_per_minute(odd), slowest_words_per_minute);
  odd.words_per_minute = 1000;
  EXPECT_EQ(effective_words_per_minute(odd), fastest_words_per_minute);
}

TEST(Preferences, LoadingFollowsTheFileRules) {
  ScratchFolder folder;
  const std::pair<std::string, Preferences> cases[] = {
      {"Font Size=30\nfont size = 40\r\nFONT FACE = 5\r\nTime Mode = x\r\n", {1, 30, 15, 2, 30}},
      {"Hold Seconds =       20\r\nAdvance Seconds = -45\n", {1, -45, 20, 2, 24}},
      {"Time Mode = 2\r\nTime Mode = 0\r\n   Font Face   =   6   \r\n", {0, 30, 15, 6, 24}},
      {"Font Size = 30 40\nHold Seconds = 7,8\nAdvance Seconds = 9/\nTime Mode = 2 = 3\n", {2, 9, 7, 2, 30}},
      {"Font Size = 30x\nHold Seconds =\nAdvance Seconds = 99999999999\nTime Mode = +-3\n", {}},
      {"Font Size 30\n= 12\nFont Face = +5\nFont Face = five\n", {1, 30, 15, 5, 24}},
  };
  for (const auto& [text, expected] : cases) {
    write_text(folder.file, text);
    EXPECT_EQ(load_preferences(folder.file), expected) << "file: " << text;
  }
}

TEST(Preferences, ViewLinesFollowTheFiveAndAFileWithoutThemReadsAsOff) {
  ScratchFolder folder;
  write_text(folder.file, "Font Size = 30\r\nDark Reading View = 1\r\nMirrored Reading View=5\r\nWords = 9\r\n");
  Preferences preferences = load_preferences(folder.file);
  EXPECT_EQ(preferences.view, (View_preferences{false, true, true}));
  EXPECT_EQ(preferences.font_size, 30);
  preferences.view.start_full_screen = true;
  ASSERT_TRUE(save_preferences(preferences, folder.file).written);
  const std::string text = read_text(folder.file);
  EXPECT_EQ(text.substr(text.find("Font Size")),
            "Font Size =       30\r\nWords Per Minute =      130\r\nStart Full Screen =        1\r\n"
            "Dark Reading View =        1\r\nMirrored Reading View =        1\r\n");
  EXPECT_EQ(load_preferences(folder.file), preferences);
  write_text(folder.file, "Font Size = 30\r\n");
  EXPECT_EQ(load_preferences(folder.file).view, View_preferences{});
}

TEST(Preferences, AFailedSaveKeepsTheOldFileAndSaysWhy) {
  ScratchFolder folder;
  write_text(folder.file, "Hold Seconds = 20\r\n");
  fs::permissions(folder.file, fs::perms(0640));
  // Files may grow to 16 bytes only, as on a nearly full disk (permissions would
  // not stop root, who runs the tests).
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit nearly_full{16, saved.rlim_max};
  signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &nearly_full);
  auto result = save_preferences(Preferences{}, folder.file);
  setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_FALSE(result.written);
  EXPECT_NE(result.reason.find("Veltrim.preferences"), std::string::npos) << result.reason;
  EXPECT_EQ(read_text(folder.file), "Hold Seconds = 20\r\n");
  EXPECT_EQ(entries_in(folder.path), 1) << "the half-written scratch file was left behind";
  EXPECT_FALSE(save_preferences(Preferences{}, folder.file / "below a file").written);

  auto link = folder.path / "link";
  fs::create_symlink(folder.file, link);
  ASSERT_TRUE(save_preferences(Preferences{}, link).written);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(load_preferences(folder.file), Preferences{});
  EXPECT_EQ(fs::status(folder.file).permissions(), fs::perms(0640)) << "a save changed who may read the file";
}

TEST(Preferences, ValuesAreBoundedWhereTheyAreUsed) {
  Preferences huge{2000000000, 2000000000, 2000000000, 2000000000, 2000000000};
  Preferences negative{-1, -5, -5, -5, -5};
  Preferences chosen{2, 45, 20, reading_font::monospace, 40};
  auto effective = [](const Preferences& p) {
    return std::tuple(effective_time_mode(p), effective_advance_seconds(p), effective_hold_seconds(p),
                      effective_font_face(p), effective_font_size(p));
  };
  EXPECT_EQ(effective(huge), std::tuple(TimeMode::next_segment, 99999, 99999, reading_font::serif, largest_font_size));
  EXPECT_EQ(effective(negative), std::tuple(TimeMode::next_segment, 0, 0, reading_font::serif, smallest_font_size));
  EXPECT_EQ(effective(chosen), std::tuple(TimeMode::next_segment, 45, 20, reading_font::monospace, 40));
  EXPECT_EQ(effective_time_mode(Preferences{0}), TimeMode::unfixed);
  EXPECT_EQ(effective_font_face(Preferences{1, 30, 15, 3, 24}), reading_font::serif);
}

TEST(SettingsFolder, IsFoundFromTheEnvironmentAndCreatedWithItsParents) {
  EXPECT_EQ(get_settings_directory({{"APPDATA", "/a"}, {"XDG_CONFIG_HOME", "/x"}, {"HOME", "/h"}}), "/a/Veltrim");
  EXPECT_EQ(get_settings_directory({{"APPDATA", ""}, {"XDG_CONFIG_HOME", "/x"}, {"HOME", "/h"}}), "/x/Veltrim");
  EXPECT_EQ(generate_prefs_filename({{"XDG_CONFIG_HOME", "relative"}, {"HOME", "/h"}}),
            "/h/.config/Veltrim/Veltrim.preferences");
  EXPECT_TRUE(generate_prefs_filename({}).empty());
  EXPECT_FALSE(ensure_settings_directory({}));

  ScratchFolder folder;
  Environment deep{{"XDG_CONFIG_HOME", (folder.path / "deep" / "config").string()}};
  EXPECT_TRUE(ensure_settings_directory(deep));
  EXPECT_TRUE(fs::is_directory(folder.path / "deep" / "config" / "Veltrim"));
  EXPECT_TRUE(ensure_settings_directory(deep)) << "an existing folder is fine";
  write_text(folder.file, "in the way");
  EXPECT_FALSE(ensure_settings_directory({{"APPDATA", folder.file.string()}}));
}

}  // namespace
}  // namespace veltrim
