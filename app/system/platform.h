// Where the program finds its surroundings: the settings and data folders, the
// folder for scratch files and its own folder. Everything here takes the environment as a
// value, so tests never depend on the real home folder or binary location.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace veltrim {

// Environment variables by name. A variable that is missing and one that is set
// to the empty string mean the same here.
using Environment = std::map<std::string, std::string, std::less<>>;

// The process's own environment. HOME is filled in from the password database
// when it is missing, so the settings folder can still be found.
Environment process_environment();

// The value of `name`, or "" when it is not set.
std::string environment_value(const Environment& environment, std::string_view name);

// What the program reads from the system at start-up, handed to the units that
// need it.
struct Platform {
  Environment environment;
  // Folder of the running executable; the converters lie beside it.
  std::filesystem::path program_directory;
};

// The real environment and the folder of /proc/self/exe.
Platform current_platform();

// Folder of the running executable, or an empty path when it cannot be read.
std::filesystem::path get_program_directory();

// $APPDATA/Veltrim when APPDATA is set, else $XDG_CONFIG_HOME/Veltrim when that
// is an absolute path, else $HOME/.config/Veltrim. Empty when none of them is
// known.
std::filesystem::path get_settings_directory(const Environment& environment);

// Creates the settings folder and any missing parents. True when the folder
// exists afterwards.
bool ensure_settings_directory(const Environment& environment);

// `name` inside the settings folder; empty when the folder is unknown.
std::filesystem::path get_settings_path(const Environment& environment, std::string_view name);

// The preferences file, "Veltrim.preferences" in the settings folder.
std::filesystem::path generate_prefs_filename(const Environment& environment);

// $XDG_DATA_HOME/Veltrim when that is an absolute path, else
// $HOME/.local/share/Veltrim; empty when neither is known.
std::filesystem::path get_data_directory(const Environment& environment);

// Where the runs of every script are kept: "rehearsals" in the data folder;
// empty when that is unknown.
std::filesystem::path get_rehearsals_directory(const Environment& environment);

// Folder for scratch files: $TEMP, else $TMPDIR, else /tmp.
std::filesystem::path get_temporary_directory(const Environment& environment);

}  // namespace veltrim
