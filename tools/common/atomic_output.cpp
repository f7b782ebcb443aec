#include "tools/common/atomic_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace tools {
namespace {

// The temporary file being written, for the signal handler: a fixed buffer,
// since a handler may not allocate.
char g_temporary[4096];

extern "C" void remove_temporary_and_die(int sig) {
  if (g_temporary[0] != '\0') ::unlink(g_temporary);
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

void remove_temporary_on_signals() {
  std::signal(SIGINT, remove_temporary_and_die);
  std::signal(SIGTERM, remove_temporary_and_die);
  std::signal(SIGHUP, remove_temporary_and_die);
}

// The file a symbolic link points to, or output itself.
std::string link_target(const std::string& output) {
  struct stat link {};
  if (::lstat(output.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return output;
  std::string path = output;
  if (char* resolved = ::realpath(output.c_str(), nullptr)) {
    path = resolved;
    std::free(resolved);
  }
  return path;
}

mode_t mode_for(const std::string& path) {
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) return existing.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool write_all(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool write_atomically(std::string_view program, const std::string& output, std::string_view data,
                      std::string& error) {
  remove_temporary_on_signals();
  const std::string path = link_target(output);
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  std::string temporary = folder + "/." + std::string(program) + "-XXXXXX";
  if (temporary.size() >= sizeof g_temporary) {
    error = "cannot write '" + output + "': the name is too long";
    return false;
  }
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    error = "cannot write '" + output + "': " + std::strerror(errno);
    return false;
  }
  std::memcpy(g_temporary, temporary.c_str(), temporary.size() + 1);
  bool ok = ::fchmod(fd, mode_for(path)) == 0 && write_all(fd, data) && ::fsync(fd) == 0;
  int saved = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
    ok = false;
    saved = errno;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    error = "cannot write '" + output + "': " + std::strerror(saved);
  }
  g_temporary[0] = '\0';
  return ok;
}

}  // namespace tools
