// Writing a whole file so that a crash or a full disk never leaves half of it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace veltrim {

// Outcome of writing a file: on failure, `reason` says why in a few words.
struct WriteResult {
  bool written = false;
  std::string reason;
};

// Replaces `file` with `contents` so that a crash or a full disk leaves either the
// old file or the new one, never a mix: the text goes to a new file in the same
// folder, is flushed to the disk, and is then renamed over `file`. An existing
// file keeps its permissions; a symbolic link stays and its target is replaced.
WriteResult write_file_atomically(const std::filesystem::path& file, std::string_view contents);

}  // namespace veltrim
