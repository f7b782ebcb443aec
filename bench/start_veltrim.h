// Starts the built program on the example script, as a user of its own (home
// and settings in `home`), on the X server of DISPLAY. Shared by the
// benchmarks that watch the real program from outside.
#pragma once

#include <spawn.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

extern char** environ;

// The child's process id, or -1 when it could not be started.
inline pid_t start_veltrim(const std::filesystem::path& home) {
  const std::string program = std::string(VELTRIM_PROGRAM_DIR) + "/veltrim";
  const std::string script = std::string(VELTRIM_SOURCE_DIR) + "/examples/welcome.gmi";
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(script.c_str()), nullptr};
  pid_t pid = -1;
  if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) return -1;
  return pid;
}
