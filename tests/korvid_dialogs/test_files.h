// What the dialog and image tests share: a window of their own, a scratch
// folder, and pictures written byte by byte (no image library needed).
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <string>

namespace dialogs_test {

// A fresh folder, removed with its contents afterwards.
struct ScratchFolder {
  std::string path = mkdtemp((std::filesystem::temp_directory_path() / "korvid-dialogs-XXXXXX").string().data());
  ~ScratchFolder() { std::filesystem::remove_all(path); }
  std::string file(const std::string& name) const { return path + "/" + name; }
};

// Each test opens a 200 x 120 window and starts with no dialog answers or records.
class DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  int window = -1;
  ScratchFolder folder;
};

void write_bytes(const std::string& path, const std::string& bytes);

// The headers of a bottom-up BMP at 1 (black and white) or 24 bits a pixel.
std::string bmp_header(int width, int height, int bits);
// A 24-bit BMP whose pixel (x, y) has the colour `colour(x, y)`, red in the low byte.
std::string bmp(int width, int height, const std::function<int(int, int)>& colour);

}  // namespace dialogs_test
