#include "app/system/platform.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <system_error>
#include <vector>

extern char** environ;

namespace veltrim {
namespace {

// The name of the folder Veltrim keeps its settings in, and its data in.
constexpr std::string_view own_folder_name = "Veltrim";
constexpr std::string_view preferences_file_name = "Veltrim.preferences";

std::string home_from_password_database() {
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr ||
      found->pw_dir == nullptr) {
    return {};
  }
  return found->pw_dir;
}

}  // namespace

Environment process_environment() {
  Environment environment;
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    std::string_view text(*entry);
    auto equals = text.find('=');
    if (equals == std::string_view::npos) continue;
    // getenv answers with the first of duplicate entries; so does this.
    environment.emplace(std::string(text.substr(0, equals)), std::string(text.substr(equals + 1)));
  }
  if (environment_value(environment, "HOME").empty()) {
    environment["HOME"] = home_from_password_database();
  }
  return environment;
}

std::string environment_value(const Environment& environment, std::string_view name) {
  auto found = environment.find(name);
  return found == environment.end() ? std::string() : found->second;
}

Platform current_platform() { return Platform{process_environment(), get_program_directory()}; }

std::filesystem::path get_program_directory() {
  std::error_code error;
  auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return executable.parent_path();
}

std::filesystem::path get_settings_directory(const Environment& environment) {
  // APPDATA comes first so a user who keeps settings there on purpose keeps them.
  if (auto appdata = environment_value(environment, "APPDATA"); !appdata.empty()) {
    return std::filesystem::path(appdata) / own_folder_name;
  }
  // A relative XDG_CONFIG_HOME is invalid and must be ignored.
  if (std::filesystem::path config = environment_value(environment, "XDG_CONFIG_HOME");
      config.is_absolute()) {
    return config / own_folder_name;
  }
  if (auto home = environment_value(environment, "HOME"); !home.empty()) {
    return std::filesystem::path(home) / ".config" / own_folder_name;
  }
  return {};
}

bool ensure_settings_directory(const Environment& environment) {
  auto directory = get_settings_directory(environment);
  if (directory.empty()) return false;
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  return std::filesystem::is_directory(directory, error);
}

std::filesystem::path get_settings_path(const Environment& environment, std::string_view name) {
  auto directory = get_settings_directory(environment);
  if (directory.empty()) return {};
  return directory / name;
}

std::filesystem::path generate_prefs_filename(const Environment& environment) {
  return get_settings_path(environment, preferences_file_name);
}

std::filesystem::path get_data_directory(const Environment& environment) {
  if (std::filesystem::path data = environment_value(environment, "XDG_DATA_HOME"); data.is_absolute()) {
    return data / own_folder_name;
  }
  if (auto home = environment_value(environment, "HOME"); !home.empty()) {
    return std::filesystem::path(home) / ".local" / "share" / own_folder_name;
  }
  return {};
}

std::filesystem::path get_rehearsals_directory(const Environment& environment) {
  auto data = get_data_directory(environment);
  return data.empty() ? data : data / "rehearsals";
}

std::filesystem::path get_temporary_directory(const Environment& environment) {
  for (auto name : {"TEMP", "TMPDIR"}) {
    if (auto value = environment_value(environment, name); !value.empty()) return value;
  }
  return "/tmp";
}

}  // namespace veltrim
