// Files for the dialog and image tests, written byte by byte so the tests need
// no image library of their own.
#pragma once

#include <functional>
#include <string>

namespace dialogs_test {

// A fresh folder, removed with its contents afterwards.
struct ScratchFolder {
  ScratchFolder();
  ~ScratchFolder();
  std::string file(const std::string& name) const { return path + "/" + name; }
  std::string path;
};

void write_bytes(const std::string& path, const std::string& bytes);
std::string read_bytes(const std::string& path);

// The headers of a bottom-up BMP at 1 (black and white) or 24 bits a pixel.
std::string bmp_header(int width, int height, int bits);
// A 24-bit BMP whose pixel (x, y) has the colour `colour(x, y)`, red in the low byte.
std::string bmp(int width, int height, const std::function<int(int, int)>& colour);
// 16 x 16 pictures in 8 x 8 quarters: red and green above, blue and white below.
std::string quarters_gif();
std::string quarters_jpeg();

}  // namespace dialogs_test
