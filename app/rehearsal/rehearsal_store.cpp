#include "app/rehearsal/rehearsal_store.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <system_error>

#include "app/rehearsal/rehearsal_csv.h"

namespace veltrim {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view untitled_folder = "untitled";
constexpr std::string_view extension = ".csv";

std::string hex8(std::uint32_t value) {
  std::array<char, 9> digits{};
  std::snprintf(digits.data(), digits.size(), "%08x", value);
  return digits.data();
}

// The kept runs, oldest first: their names are start times, which sort as text.
std::vector<fs::path> rehearsal_files(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    // Dot files are scratch files of a write in progress.
    if (entry.is_regular_file(error) && name.ends_with(extension) && !name.starts_with('.')) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::optional<Rehearsal> load_rehearsal(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in.is_open()) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return parse_rehearsal_csv(text.str());
}

}  // namespace

std::uint32_t fnv1a_32(std::string_view bytes) {
  std::uint32_t hash = 2166136261U;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619U;
  }
  return hash;
}

fs::path rehearsal_folder(const fs::path& rehearsals, std::string_view script_file) {
  if (script_file.empty()) return rehearsals / untitled_folder;
  std::error_code error;
  fs::path absolute = fs::absolute(fs::path(script_file), error);
  if (error) absolute = script_file;
  absolute = absolute.lexically_normal();
  return rehearsals / (absolute.stem().string() + "-" + hex8(fnv1a_32(absolute.string())));
}

std::string rehearsal_file_name(Wall_time started) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(started);
  std::tm local{};
  localtime_r(&seconds, &local);
  std::array<char, 32> name{};
  std::strftime(name.data(), name.size(), "%Y-%m-%dT%H-%M-%S", &local);
  return std::string(name.data()) + std::string(extension);
}

WriteResult save_rehearsal(const fs::path& folder, Wall_time started, const Rehearsal& run) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) return {false, "cannot create " + folder.string() + ": " + error.message()};
  return write_file_atomically(folder / rehearsal_file_name(started), rehearsal_csv(run));
}

std::optional<Rehearsal> previous_rehearsal(const fs::path& folder, Wall_time started) {
  const std::string own = rehearsal_file_name(started);
  const std::vector<fs::path> files = rehearsal_files(folder);
  for (auto file = files.rbegin(); file != files.rend(); ++file) {
    if (file->filename() == own) continue;
    if (auto run = load_rehearsal(*file)) return run;
  }
  return std::nullopt;
}

std::vector<Rehearsal> load_rehearsals(const fs::path& folder) {
  std::vector<Rehearsal> runs;
  for (const fs::path& file : rehearsal_files(folder)) {
    if (auto run = load_rehearsal(file)) runs.push_back(std::move(*run));
  }
  return runs;
}

}  // namespace veltrim
