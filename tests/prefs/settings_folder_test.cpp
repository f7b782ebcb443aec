#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "app/platform.h"

namespace veltrim {
namespace {

namespace fs = std::filesystem;

TEST(SettingsFolder, IsFoundFromTheEnvironmentInOrder) {
  EXPECT_EQ(get_settings_directory({{"APPDATA", "/a"}, {"XDG_CONFIG_HOME", "/x"}, {"HOME", "/h"}}),
            fs::path("/a/Veltrim"));
  EXPECT_EQ(get_settings_directory({{"APPDATA", ""}, {"XDG_CONFIG_HOME", "/x"}, {"HOME", "/h"}}),
            fs::path("/x/Veltrim"));
  EXPECT_EQ(get_settings_directory({{"XDG_CONFIG_HOME", "relative"}, {"HOME", "/h"}}),
            fs::path("/h/.config/Veltrim"));
  EXPECT_EQ(generate_prefs_filename({{"HOME", "/h"}}), fs::path("/h/.config/Veltrim/Veltrim.preferences"));
  EXPECT_TRUE(get_settings_directory({}).empty());
  EXPECT_TRUE(generate_prefs_filename({}).empty());
  EXPECT_FALSE(ensure_settings_directory({}));
}

TEST(SettingsFolder, IsCreatedWithItsParents) {
  std::string name = (fs::temp_directory_path() / "veltrim-settings-XXXXXX").string();
  fs::path scratch = mkdtemp(name.data());

  Environment environment{{"XDG_CONFIG_HOME", (scratch / "deep" / "config").string()}};
  EXPECT_TRUE(ensure_settings_directory(environment));
  EXPECT_TRUE(fs::is_directory(scratch / "deep" / "config" / "Veltrim"));
  EXPECT_TRUE(ensure_settings_directory(environment)) << "an existing folder is fine";

  std::ofstream(scratch / "file") << "in the way";
  EXPECT_FALSE(ensure_settings_directory({{"APPDATA", (scratch / "file").string()}}));
  fs::remove_all(scratch);
}

TEST(SettingsFolder, TheProcessEnvironmentAlwaysKnowsAHome) {
  std::string saved_home = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("VELTRIM_PROBE", "a=b", 1);
  unsetenv("HOME");
  auto environment = process_environment();
  if (!saved_home.empty()) setenv("HOME", saved_home.c_str(), 1);
  unsetenv("VELTRIM_PROBE");

  EXPECT_EQ(environment_value(environment, "VELTRIM_PROBE"), "a=b");
  EXPECT_FALSE(environment_value(environment, "HOME").empty());
  EXPECT_TRUE(current_platform().program_directory.is_absolute());
}

}  // namespace
}  // namespace veltrim
