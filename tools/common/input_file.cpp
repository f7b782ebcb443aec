#include "tools/common/input_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tools {

int open_input(const std::string& path, struct stat& st, std::string& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = "cannot read '" + path + "': " + std::strerror(errno);
    return -1;
  }
  if (::fstat(fd, &st) != 0) st = {};
  if (S_ISDIR(st.st_mode)) {
    ::close(fd);
    error = "cannot read '" + path + "': it is a folder";
    return -1;
  }
  return fd;
}

}  // namespace tools
