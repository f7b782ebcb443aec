// A folder of scratch files for one test, removed afterwards.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace veltrim::testing {

struct Scratch_folder {
  std::string name = (std::filesystem::temp_directory_path() / "veltrim-model-XXXXXX").string();
  std::filesystem::path path = mkdtemp(name.data());
  ~Scratch_folder() { std::filesystem::remove_all(path); }
  std::string file(std::string_view leaf) const { return (path / leaf).string(); }
};

inline void write_text(const std::string& file, std::string_view text) {
  std::ofstream(file, std::ios::binary) << text;
}

inline std::string read_text(const std::string& file) {
  std::stringstream text;
  text << std::ifstream(file, std::ios::binary).rdbuf();
  return text.str();
}

}  // namespace veltrim::testing
