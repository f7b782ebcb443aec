// Which links open at a click, and file URLs read back to the files they name.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "app/system/links.h"

namespace veltrim {
namespace {

namespace fs = std::filesystem;

TEST(Links, FileUrlsNameLocalPathsOnly) {
  const std::pair<std::string_view, std::optional<fs::path>> cases[] = {
      {"file:///etc/hosts", "/etc/hosts"},
      {"file://localhost/a%20b/c", "/a b/c"},
      {"file:/notes.txt#top", "/notes.txt"},
      {"file://server/share/x", std::nullopt},  // another machine
      {"file:relative", std::nullopt},
      {"file:///bad%2", std::nullopt},
      {"file:///nul%00byte", std::nullopt},
      {"https://example.org/", std::nullopt},
  };
  for (const auto& [url, path] : cases) EXPECT_EQ(local_file_of(url), path) << url;

  const fs::path odd = "/tmp/Vortr\xC3\xA4ge/a b#1.gmi";
  EXPECT_EQ(local_file_of(file_url(odd)), odd);
}

TEST(Links, OnlyWebLinksAndPlainLocalDocumentsOpenWithoutAsking) {
  const fs::path folder = fs::temp_directory_path() / "veltrim-links-test";
  fs::create_directories(folder);
  const auto make = [&](const char* name, mode_t mode) {
    const fs::path file = folder / name;
    std::ofstream(file) << "x";
    chmod(file.c_str(), mode);
    return file_url(file);
  };
  EXPECT_TRUE(opens_without_asking("https://example.org/"));
  EXPECT_TRUE(opens_without_asking("http://example.org/"));
  EXPECT_TRUE(opens_without_asking(make("notes.txt", 0644)));
  EXPECT_FALSE(opens_without_asking(make("tool.sh", 0755)));
  EXPECT_FALSE(opens_without_asking(make("launcher.Desktop", 0644)));
  EXPECT_FALSE(opens_without_asking(file_url(folder)));
  EXPECT_FALSE(opens_without_asking(file_url(folder / "missing.txt")));
  EXPECT_FALSE(opens_without_asking("gemini://example.org/"));
  EXPECT_FALSE(opens_without_asking("mailto:someone@example.org"));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace veltrim
