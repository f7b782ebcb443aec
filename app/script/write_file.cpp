#include "app/script/write_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <system_error>

namespace veltrim {
namespace {

// The file-creation mask, read without changing it (umask() would, for a moment,
// for every thread of the process).
mode_t process_umask() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with("Umask:")) return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
  }
  return 022;
}

// Permissions for the replacement: those of the file it replaces, or what a
// newly created file would get.
mode_t replacement_mode(const std::filesystem::path& file) {
  struct stat existing {};
  if (stat(file.c_str(), &existing) == 0) return existing.st_mode & 07777;
  return 0666 & ~process_umask();
}

bool write_all(int descriptor, std::string_view contents) {
  while (!contents.empty()) {
    ssize_t written = write(descriptor, contents.data(), contents.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      // A write that makes no progress would otherwise repeat for ever.
      if (written == 0) errno = EIO;
      return false;
    }
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

WriteResult write_failure(std::string_view what, const std::filesystem::path& file, int error) {
  return WriteResult{false, std::string(what) + " " + file.string() + ": " + std::strerror(error)};
}

// Makes a finished rename durable; a failure here loses nothing already written.
void flush_directory(const std::filesystem::path& directory) {
  int descriptor = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  fsync(descriptor);
  close(descriptor);
}

}  // namespace

WriteResult write_file_atomically(const std::filesystem::path& link_or_file, std::string_view contents) {
  // A symbolic link (a dotfile manager's, say) stays in place; its target is replaced.
  std::error_code not_a_link;
  std::error_code unresolved;
  auto file = std::filesystem::is_symlink(link_or_file, not_a_link)
                  ? std::filesystem::weakly_canonical(link_or_file, unresolved)
                  : link_or_file;
  if (unresolved) return write_failure("cannot follow", link_or_file, unresolved.value());
  auto directory = file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
  std::string scratch = (directory / ("." + file.filename().string() + ".XXXXXX")).string();
  int descriptor = mkostemp(scratch.data(), O_CLOEXEC);
  if (descriptor < 0) return write_failure("cannot create a file in", directory, errno);

  int error = 0;
  if (fchmod(descriptor, replacement_mode(file)) != 0 || !write_all(descriptor, contents) ||
      fsync(descriptor) != 0) {
    error = errno;
  }
  if (close(descriptor) != 0 && error == 0) error = errno;
  if (error == 0 && rename(scratch.c_str(), file.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(scratch.c_str());
    return write_failure("cannot write", file, error);
  }
  flush_directory(directory);
  return WriteResult{true, {}};
}

}  // namespace veltrim
